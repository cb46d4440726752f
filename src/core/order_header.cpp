#include "order_header.h"

#include "crc32.h"

#include <algorithm>

void TOrderHeader::Seal()
{
    SetSignature(hdr::SignatureValue);
    SetCheckValue(0);
    SetCheckValue(Crc32Update(0, data(), kSize));
}

uint32_t TOrderHeader::ComputeCheckValue() const
{
    TOrderHeader copy = *this;
    copy.SetCheckValue(0);
    return Crc32Update(0, copy.data(), kSize);
}

bool TOrderHeader::IsIntact() const
{
    return Signature() == hdr::SignatureValue && ComputeCheckValue() == CheckValue();
}

int TOrderHeader::driverOffset(int i)
{
    return hdr::DriverName + hdr::DriverNameStride * std::clamp(i, 0, hdr::DriverCount - 1);
}

QUuid TOrderHeader::Guid() const
{
    const uint8_t* g = data() + hdr::Guid;
    return QUuid(u32(hdr::Guid), u16(hdr::Guid + 4), u16(hdr::Guid + 6), g[8], g[9], g[10], g[11], g[12], g[13],
                 g[14], g[15]);
}

void TOrderHeader::SetGuid(const QUuid& v)
{
    setU32(hdr::Guid, v.data1);
    setU16(hdr::Guid + 4, v.data2);
    setU16(hdr::Guid + 6, v.data3);
    for (int i = 0; i < 8; ++i) setU8(hdr::Guid + 8 + i, v.data4[i]);
}

QString TOrderHeader::GuidText() const
{
    return Guid().toString(QUuid::WithBraces).toUpper();
}

int TOrderHeader::TempPointCount() const
{
    return std::min<int>(u8(hdr::TempPointCount), hdr::MaxTempPoints);
}

TTempPoint TOrderHeader::TempPoint(int i) const
{
    if (i < 0 || i >= hdr::MaxTempPoints) return {};
    const int at = hdr::TempPoints + 12 * i;
    return {i32(at), i32(at + 4), i32(at + 8)};
}

std::vector<TTempPoint> TOrderHeader::TempPoints() const
{
    std::vector<TTempPoint> points;
    for (int i = 0; i < TempPointCount(); ++i) points.push_back(TempPoint(i));
    return points;
}

void TOrderHeader::SetTempPoints(const std::vector<TTempPoint>& points)
{
    const int n = std::min<int>(int(points.size()), hdr::MaxTempPoints);
    setU8(hdr::TempPointCount, uint8_t(n));
    for (int i = 0; i < hdr::MaxTempPoints; ++i) {
        const TTempPoint pt = i < n ? points[size_t(i)] : TTempPoint{};
        const int at = hdr::TempPoints + 12 * i;
        setI32(at, pt.U);
        setI32(at + 4, pt.Val);
        setI32(at + 8, pt.UPower);
    }
}
