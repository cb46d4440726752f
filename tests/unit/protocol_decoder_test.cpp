#include "protocol_builder.h"
#include "protocol_decoder.h"
#include "protokol_clock.h"

#include <gtest/gtest.h>

namespace {

// Tank table: code 0 ... 10000 is 0 ... 100 l, so code c reads c centilitres.
TGrad linearTank()
{
    TGrad t(2);
    t[0].U = 0;
    t[0].VAL = 0;
    t[1].U = 10000;
    t[1].VAL = 100;
    return t;
}

TDecodeCar car()
{
    TDecodeCar c;
    c.CarTank1Vol = 250;
    c.CarTank2Vol = 0;
    c.CarUPower = 2400;
    c.CarSpeedType = 1;
    c.CarSpeedK = 3000;
    c.CarTachType = 1;
    c.CarTachK = 1;
    c.CarMinRPM = 400;
    c.CarMaxIdleRPM = 900;
    c.CarMaxRPM = 3000;
    return c;
}

constexpr int kEngineOn = 30000;    // 1831 cV: above 70 % of 24 V
constexpr int kEngineOff = 10000;   // 610 cV

struct Decoded {
    TKDDData s;
    double start = 0, end = 0;
    TDecodeReport report;
};

Decoded decode(const TProtokolRecords& records, const TDecodeCar& c = car(), TDecodeSettings settings = {})
{
    TDecodeTables tables;
    tables.Tank1 = linearTank();
    tables.Tank2 = linearTank();
    Decoded d;
    EXPECT_TRUE(DecodeProtocol(records, c, tables, settings, d.s, d.end, d.start, &d.report));
    return d;
}

// One complete engine-on minute.
void minute(TProtokolRecords& r, uint8_t seq, int tankCode, int speedPulses = 0, int tach = 0,
            int board = kEngineOn)
{
    r.push_back(Part1(seq, board, tankCode));
    r.push_back(Part2(seq));
    r.push_back(Part3(seq, speedPulses, tach));
}

double at(int h, int m, int s) { return ProtokolSecondsToDateTime(*DecodeProtokolClock(ClockRec(h, m, s))); }

}  // namespace

TEST(ProtocolDecoder, EmptyInputsAndClocksOnly)
{
    TKDDData s(3);
    double e = 1, st = 1;
    EXPECT_FALSE(DecodeProtocol({}, car(), {}, {}, s, e, st));
    EXPECT_TRUE(s.empty());

    const Decoded d = decode({ClockRec(10, 0, 0), ClockRec(10, 0, 30)});
    EXPECT_TRUE(d.s.empty());
    EXPECT_DOUBLE_EQ(d.start, at(10, 0, 0));
}

TEST(ProtocolDecoder, ClockGapsAppendEmptySamples)
{
    struct Case {
        const char* name;
        bool switchOff;
        int h, m, s;          // the second clock
        size_t samples;       // after the one measured minute
        double end;
    };
    const Case cases[] = {
        {"270 s gap gives 4 samples", false, 10, 5, 30, 5, at(10, 5, 0)},
        {"exactly 60 s ahead: none", false, 10, 2, 0, 1, at(10, 1, 0)},
        {"switch-off and 60 s ahead: one", true, 10, 2, 0, 2, at(10, 2, 0)},
        {"backwards: none", false, 9, 0, 0, 1, at(10, 1, 0)},
        {"31 days and a minute ahead: skipped", false, 10, 2, 0, 1, at(10, 1, 0)},
    };
    for (const Case& c : cases) {
        TProtokolRecords r{ClockRec(10, 0, 0)};
        minute(r, 1, 1000);
        if (c.switchOff)
            r.push_back(Rec(1, 1));
        if (std::string(c.name).starts_with("31 days"))
            r.push_back(ClockRec(10, 2, 0, 11, 1, 2027));
        else
            r.push_back(ClockRec(c.h, c.m, c.s));
        const Decoded d = decode(r);
        EXPECT_EQ(d.s.size(), c.samples) << c.name;
        EXPECT_DOUBLE_EQ(d.end, c.end) << c.name;
        for (size_t i = 1; i < d.s.size(); ++i)
            EXPECT_EQ(d.s[i].Flags & ~uint32_t(sfSegEnd), 0u) << c.name;
    }
}

TEST(ProtocolDecoder, SeriesStopsAtTheSampleCap)
{
    // A clock that keeps jumping 30 days ahead would append 43,200 samples each time.
    TProtokolRecords r{ClockRec(0, 0, 0, 1, 1, 2001)};
    for (int i = 1; i <= 30; ++i) {
        const int month = 1 + i % 12, year = 2001 + i / 12;
        r.push_back(ClockRec(0, 0, 0, 1, month, year));
        r.push_back(ClockRec(0, 0, 0, 30, month, year));
    }
    const Decoded d = decode(r);
    EXPECT_EQ(d.s.size(), kMaxProtocolSamples);
    EXPECT_TRUE(d.report.Truncated);
}

TEST(ProtocolDecoder, BoardVoltageAndEngineFlag)
{
    struct Case {
        int code, uPower;
        uint16_t uboard;
        bool engine;
    };
    const Case cases[] = {{30000, 2400, 1831, true}, {30000, 2700, 1831, false}, {65535, 0, 4000, true},
                          {0, 0, 0, false}};
    for (const Case& c : cases) {
        TDecodeCar cr = car();
        cr.CarUPower = c.uPower;
        TProtokolRecords r{ClockRec(10, 0, 0)};
        minute(r, 1, 1000, 0, 0, c.code);
        const Decoded d = decode(r, cr);
        ASSERT_EQ(d.s.size(), 1u);
        EXPECT_EQ(d.s[0].UBoard, c.uboard) << c.code << "/" << c.uPower;
        EXPECT_EQ(bool(d.s[0].Flags & sfEngine), c.engine) << c.code << "/" << c.uPower;
        EXPECT_EQ(bool(d.s[0].Flags & sfSegStart), c.engine);
    }
}

TEST(ProtocolDecoder, TankVolumesNineVoltRuleAndLimit)
{
    const int over9V = 65535 * 10 / 40;   // 10 V
    TProtokolRecords r{ClockRec(10, 0, 0)};
    minute(r, 1, over9V);   // first sample: no previous value, 0
    minute(r, 2, 4000);     // 40 l
    minute(r, 3, over9V);   // keeps 40 l
    minute(r, 4, 14000);    // 140 l read, the tank holds 100 l
    TDecodeCar small = car();
    small.CarTank1Vol = 100;
    const Decoded d = decode(r, small);
    ASSERT_EQ(d.s.size(), 4u);
    EXPECT_EQ(d.s[0].Tank1, 0);
    EXPECT_EQ(d.s[1].Tank1, 4000);
    EXPECT_EQ(d.s[2].Tank1, 4000);
    EXPECT_EQ(d.s[3].Tank1, 10000);
    for (const TKDDSample& s : d.s)
        EXPECT_EQ(s.Flags & 7u, 7u);
}

TEST(ProtocolDecoder, EngineOffKeepsLastVolume)
{
    TProtokolRecords r{ClockRec(10, 0, 0)};
    minute(r, 1, 4000);
    minute(r, 2, 5000, 0, 0, kEngineOff);
    r.push_back(Rec(3, 16, {{9, kEngineOff}}));
    minute(r, 4, 5000);
    const Decoded d = decode(r);
    ASSERT_EQ(d.s.size(), 4u);
    EXPECT_EQ(d.s[1].Tank1, 4000);
    EXPECT_FALSE(d.s[1].Flags & sfEngine);
    EXPECT_TRUE(d.s[0].Flags & sfSegEnd);
    EXPECT_EQ(d.s[2].Flags, uint32_t(sfData));
    EXPECT_EQ(d.s[2].UBoard, 610);
    EXPECT_TRUE(d.s[3].Flags & sfSegStart);
    EXPECT_EQ(d.s[3].Tank1, 5000);
}

TEST(ProtocolDecoder, SpeedPathAndTachometer)
{
    struct Case {
        long double speedK;
        int pulses;
        uint16_t pathStep, speed;
        bool moving;
    };
    const Case cases[] = {{3000, 150, 50, 3, true}, {0, 150, 0, 0, false}, {-5, 150, 0, 0, false},
                          {0.001L, 60000, 65535, 65535, true}};
    for (const Case& c : cases) {
        TDecodeCar cr = car();
        cr.CarSpeedK = c.speedK;
        TProtokolRecords r{ClockRec(10, 0, 0)};
        minute(r, 1, 1000, c.pulses, 1000);
        minute(r, 2, 1000, c.pulses, 3500);
        const Decoded d = decode(r, cr);
        ASSERT_EQ(d.s.size(), 2u);
        EXPECT_EQ(d.s[0].PathStep, c.pathStep) << double(c.speedK);
        EXPECT_EQ(d.s[0].Speed, c.speed) << double(c.speedK);
        EXPECT_EQ(d.s[1].Path, 2u * c.pathStep) << double(c.speedK);
        EXPECT_EQ(bool(d.s[0].Flags & sfMoving), c.moving) << double(c.speedK);
    }
    TProtokolRecords r{ClockRec(10, 0, 0)};
    minute(r, 1, 1000, 0, 800);
    minute(r, 2, 1000, 0, 3500);
    minute(r, 3, 1000, 0, 400);
    const Decoded d = decode(r);
    EXPECT_EQ(d.s[0].RPM, 800);
    EXPECT_EQ(d.s[0].Flags & (sfTurning | sfIdle | sfOverRev), uint32_t(sfTurning | sfIdle));
    EXPECT_EQ(d.s[1].Flags & (sfTurning | sfIdle | sfOverRev), uint32_t(sfTurning | sfOverRev));
    EXPECT_EQ(d.s[2].Flags & sfTurning, 0u);
}

TEST(ProtocolDecoder, ThreePartMeasurementHeldByThePartTag)
{
    TProtokolRecords r{ClockRec(10, 0, 0)};
    r.push_back(Part3(9, 150));           // part 3 without part 1: ignored (no sample yet)
    r.push_back(Part1(1, kEngineOn, 1000));
    r.push_back(Part1(1, kEngineOn, 2000));   // same sequence byte: the same sample
    r.push_back(Part2(5));                    // another sequence byte: ignored
    r.push_back(Part3(1, 150));
    r.push_back(Part3(1, 300));               // the part tag is cleared: ignored
    r.push_back(Part1(2, kEngineOn, 1000));   // parts 2 and 3 never come
    minute(r, 3, 1000);
    const Decoded d = decode(r);
    ASSERT_EQ(d.s.size(), 3u);
    EXPECT_EQ(d.s[0].Tank1, 2000);
    EXPECT_EQ(d.s[0].PathStep, 50);
    EXPECT_FALSE(d.s[0].Flags & sfData);   // parts 1 and 3 came, part 2 not: cleared by the next part 1
    EXPECT_FALSE(d.s[1].Flags & sfData);   // part 1 only
    EXPECT_TRUE(d.s[2].Flags & sfData);
}

TEST(ProtocolDecoder, IncompleteMeasurementLosesDataFlag)
{
    TProtokolRecords r{ClockRec(10, 0, 0)};
    r.push_back(Part1(1, kEngineOn, 1000));
    r.push_back(Part2(1));
    minute(r, 2, 1000);
    minute(r, 3, 1000);
    const Decoded d = decode(r);
    EXPECT_FALSE(d.s[0].Flags & sfData);
    EXPECT_TRUE(d.s[1].Flags & sfData);
    EXPECT_TRUE(d.s[2].Flags & sfSegEnd);   // the last sample ends the segment
}

TEST(ProtocolDecoder, SwitchOffMarksTheSample)
{
    TProtokolRecords r{ClockRec(10, 0, 0)};
    minute(r, 1, 1000);
    r.push_back(Rec(1, 1));
    r.push_back(ClockRec(11, 0, 0));
    minute(r, 2, 1000);
    const Decoded d = decode(r);
    ASSERT_EQ(d.s.size(), 61u);   // 1 + 59 empty + 1 (the clock 59 min + 1 s ahead)
    EXPECT_TRUE(d.s[0].Flags & sfPowerOff);
    EXPECT_TRUE(d.s[0].Flags & sfSegEnd);
    EXPECT_TRUE(d.s[60].Flags & sfSegStart);
}

TEST(ProtocolDecoder, MeasurementsBeforeTheFirstClockAreSkipped)
{
    TProtokolRecords r;
    minute(r, 1, 1000);
    r.push_back(ClockRec(10, 0, 0));
    minute(r, 1, 1000);   // same sequence byte as the skipped one: still a new sample
    const Decoded d = decode(r);
    EXPECT_EQ(d.s.size(), 1u);
}
