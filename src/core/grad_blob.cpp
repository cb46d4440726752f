#include "grad_blob.h"

#include "extended_real.h"

#include <QtEndian>
#include <algorithm>

namespace {

constexpr long double TGradPoint::*kFields[] = {&TGradPoint::U,         &TGradPoint::VAL,
                                                &TGradPoint::U_POWER,   &TGradPoint::U_REDUCED,
                                                &TGradPoint::R_SENSOR,  &TGradPoint::U_REF};

TGrad readPoints(const QByteArray& blob, qsizetype maxPoints)
{
    if (blob.size() <= 4)
        return {};
    const auto* b = reinterpret_cast<const uint8_t*>(blob.constData());
    const int32_t n = qFromLittleEndian<int32_t>(b);
    const qsizetype count = std::min<qsizetype>({qsizetype(std::max(n, 0)), (blob.size() - 4) / kGradPointSize, maxPoints});
    TGrad t(size_t(count), TGradPoint{});
    for (qsizetype i = 0; i < count; ++i) {
        const uint8_t* p = b + 4 + i * kGradPointSize;
        for (int f = 0; f < 6; ++f)
            t[size_t(i)].*kFields[f] = ExtendedFromBytes(p + f * kExtendedSize);
    }
    return t;
}

}  // namespace

TGrad GradFromBlob(const QByteArray& blob) { return readPoints(blob, blob.size()); }

QByteArray GradToBlob(const TGrad& table)
{
    QByteArray blob(4 + qsizetype(table.size()) * kGradPointSize, '\0');
    auto* b = reinterpret_cast<uint8_t*>(blob.data());
    qToLittleEndian<int32_t>(int32_t(table.size()), b);
    for (size_t i = 0; i < table.size(); ++i)
        for (int f = 0; f < 6; ++f)
            ExtendedToBytes(table[i].*kFields[f], b + 4 + i * kGradPointSize + f * kExtendedSize);
    return blob;
}

TGrad GradFromHeaderTable(const QByteArray& table1204) { return readPoints(table1204, kHeaderGradPoints); }

QByteArray GradToHeaderTable(const TGrad& table)
{
    QByteArray out = GradToBlob(table).left(kHeaderGradSize);
    out.append(QByteArray(kHeaderGradSize - out.size(), '\0'));
    return out;
}
