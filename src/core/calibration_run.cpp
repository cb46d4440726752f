#include "calibration_run.h"

#include <QStringList>
#include <cmath>

namespace {

constexpr int kRefCode = 13107;   // 8 V

TProtokolRecord record(uint8_t seq, uint8_t type)
{
    TProtokolRecord r;
    r.b[0] = seq;
    r.b[1] = type;
    return r;
}

void setWord(TProtokolRecord& r, int pos, int value)
{
    r.b[pos] = uint8_t(value & 0xFF);
    r.b[pos + 1] = uint8_t((value >> 8) & 0xFF);
}

}  // namespace

bool ParseCalibrationScenario(const QString& text, TCalibrationScenario& out, QString& error)
{
    out = TCalibrationScenario{};
    const QStringList lines = text.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QStringList f = lines[n].section('#', 0, 0).simplified().split(' ', Qt::SkipEmptyParts);
        if (f.isEmpty())
            continue;
        auto fail = [&] {
            error = QString("line %1: %2").arg(n + 1).arg(lines[n].trimmed());
            return false;
        };
        auto integer = [&](int i, int max, int& v) {
            bool ok = false;
            v = i < f.size() ? f[i].toInt(&ok) : -1;
            return ok && v >= 0 && v <= max;
        };
        int a = 0, b = 0;
        if (f[0] == "point") {
            bool ok = false;
            const double supply = f.value(3).toDouble(&ok);
            if (!integer(1, 65535, a) || !integer(2, 65535, b) || !ok || supply < 0 || supply > 40)
                return fail();
            out.Points.push_back({uint16_t(a), uint16_t(b), supply});
        } else if (f[0] == "word") {
            if (!integer(1, 31, a) || !integer(2, 65535, b))
                return fail();
            out.Words[size_t(a)] = uint16_t(b);
        } else {
            // Header bytes: "hw 3 sw 7 options 4" in any grouping.
            for (int i = 0; i < f.size(); i += 2) {
                if (!integer(i + 1, 255, a))
                    return fail();
                if (f[i] == "hw")
                    out.HWVer = uint8_t(a);
                else if (f[i] == "sw")
                    out.SWVer = uint8_t(a);
                else if (f[i] == "options")
                    out.Options = uint8_t(a);
                else
                    return fail();
            }
        }
    }
    return true;
}

TProtokolRecords GenerateCalibrationRun(const TCalibrationScenario& sc)
{
    TProtokolRecords out;
    std::array<uint8_t, 72> block{};
    for (int k = 0; k < 32; ++k) {
        block[size_t(2 * k)] = uint8_t(sc.Words[size_t(k)]);
        block[size_t(2 * k + 1)] = uint8_t(sc.Words[size_t(k)] >> 8);
    }
    for (int k = 0; k < 8; ++k) {
        TProtokolRecord r = record(1, uint8_t(20 + 2 * k));
        for (int i = 0; i < 8; ++i)
            r.b[size_t(2 + i)] = block[size_t(8 * k + i)];
        r.b[10] = block[size_t(64 + k)];
        out.push_back(r);
    }
    TProtokolRecord header = record(1, 18);
    header.b[3] = sc.HWVer;
    header.b[4] = sc.SWVer;
    header.b[5] = sc.Options;
    out.push_back(header);
    const int ref = kRefCode;
    uint8_t seq = 2;
    for (const TCalibrationRunPoint& p : sc.Points) {
        TProtokolRecord r1 = record(seq, 10);
        r1.b[2] = 0x80;
        setWord(r1, 3, (p.Tank1 + ref) & 0xFFFF);
        setWord(r1, 5, p.Tank1);
        setWord(r1, 7, ref);
        setWord(r1, 9, int(std::lround(std::min(p.Supply, 40.0) * 65535 / 40)));
        TProtokolRecord r2 = record(seq, 12);
        setWord(r2, 3, (p.Tank2 + ref) & 0xFFFF);
        setWord(r2, 5, p.Tank2);
        setWord(r2, 7, ref);
        out.push_back(r1);
        out.push_back(r2);
        seq = uint8_t(seq == 255 ? 1 : seq + 1);
    }
    return out;
}
