#include "grad_blob.h"
#include "grad_recorder.h"
#include "grad_table.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TGrad table(std::initializer_list<std::pair<double, double>> keyVal)
{
    TGrad t;
    for (auto [k, v] : keyVal) {
        TGradPoint p;
        p.U = k;
        p.VAL = v;
        t.push_back(p);
    }
    return t;
}

constexpr auto kU = TGradKeyField::U;

}  // namespace

TEST(GradTable, RemoveEmptyKeepsOrderAndDropsNegativeAndNaN)
{
    TGrad t = table({{10, 5}, {20, -1}, {30, 0}, {40, std::numeric_limits<double>::quiet_NaN()}, {5, 7}});
    RemoveEmptyGradPoints(t);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].U, 10);
    EXPECT_EQ(t[1].U, 30);
    EXPECT_EQ(t[2].U, 5);

    TGrad cleared = table({{1, -1}, {2, -1}});
    RemoveEmptyGradPoints(cleared);
    EXPECT_TRUE(cleared.empty());
    EXPECT_EQ(GradValueByVoltage(5, &cleared, kU, false), 0);
}

TEST(GradTable, SortIsStableAndAscending)
{
    TGrad t = table({{30, 1}, {10, 2}, {20, 3}, {10, 4}, {5, 5}});
    SortGradByKey(t, kU);
    const double keys[] = {5, 10, 10, 20, 30};
    const double vals[] = {5, 2, 4, 3, 1};
    for (size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(t[i].U, keys[i]) << i;
        EXPECT_EQ(t[i].VAL, vals[i]) << i;
    }
}

TEST(GradTable, SortUsesTheChosenKey)
{
    TGrad t = table({{1, 1}, {2, 2}});
    t[0].R_SENSOR = 50;
    t[1].R_SENSOR = 10;
    SortGradByKey(t, TGradKeyField::R_SENSOR);
    EXPECT_EQ(t[0].VAL, 2);
    EXPECT_EQ(GradKey(1, false), TGradKeyField::R_SENSOR);
    EXPECT_EQ(GradKey(129, true), TGradKeyField::R_SENSOR);
    EXPECT_EQ(GradKey(0, true), TGradKeyField::U_REDUCED);
    EXPECT_EQ(GradKey(128, false), TGradKeyField::U);
}

TEST(GradTable, VoltageLookupCases)
{
    const TGrad rising = table({{1000, 0}, {2000, 50}, {3000, 100}});
    const TGrad falling = table({{3000, 100}, {2000, 50}, {1000, 0}});
    const TGrad equalStart = table({{1000, 10}, {1000, 20}, {3000, 100}});
    const TGrad one = table({{1000, 10}});
    struct Case {
        const char* name;
        const TGrad* t;
        uint32_t x;
        bool allowNegative;
        long double expected;
    };
    const Case cases[] = {
        {"inside first segment", &rising, 1500, false, 25},
        {"inside second segment", &rising, 2500, false, 75},
        {"exactly the last key", &rising, 3000, false, 100},
        {"above: extrapolated, no limit", &rising, 4000, false, 150},
        {"below: negative cut to 0", &rising, 500, false, 0},
        {"below: negative kept", &rising, 500, true, -25},
        {"falling table, same results", &falling, 1500, false, 25},
        {"falling above", &falling, 4000, false, 150},
        {"falling below, negative kept", &falling, 500, true, -25},
        {"one point gives 0", &one, 1000, true, 0},
        {"equal first keys: above fails to 0", &equalStart, 2000, true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GradValueByVoltage(c.x, c.t, kU, c.allowNegative), c.expected) << c.name;
    EXPECT_TRUE(std::isnan(GradValueByVoltage(1, nullptr, kU, true)));
    EXPECT_TRUE(std::isnan(GradValueByVoltage(1, nullptr, kU, false)));
}

TEST(GradTable, ResistanceLookupNeverNegative)
{
    TGrad t = table({{0, 0}, {0, 60}});
    t[0].R_SENSOR = 10;
    t[1].R_SENSOR = 190;
    EXPECT_EQ(GradValueByResistance(100, &t), 30);
    EXPECT_EQ(GradValueByResistance(0, &t), 0);   // -3.33 cut to 0
    EXPECT_EQ(GradValueByResistance(std::numeric_limits<long double>::quiet_NaN(), &t), 0);
    EXPECT_EQ(GradValueByResistance(100, nullptr), 0);
}

TEST(GradTable, DirectionByMajority)
{
    EXPECT_EQ(GradDirection(table({{1, 0}, {2, 0}, {3, 0}, {2, 0}}), kU), TGradDirection::Rising);
    EXPECT_EQ(GradDirection(table({{3, 0}, {2, 0}, {2, 0}, {5, 0}}), kU), TGradDirection::Falling);
    EXPECT_EQ(GradDirection(table({{1, 0}, {2, 0}, {1, 0}}), kU), TGradDirection::Undecided);
    EXPECT_EQ(GradDirection(TGrad{}, kU), TGradDirection::Undecided);
}

TEST(GradTable, EndExtensions)
{
    // Rising volume with rising key: the start runs down to an empty tank, the end up to a full one.
    TGradEnds e = GradEndExtensions(table({{1000, 10}, {2000, 20}, {3000, 30}, {4000, 40}}), kU, 100);
    EXPECT_EQ(e.Flags, TGradEnds::StartPoint | TGradEnds::EndPoint);
    EXPECT_EQ(e.StartKey, 0);
    EXPECT_EQ(e.StartVal, 0);
    EXPECT_EQ(e.EndKey, 10000);
    EXPECT_EQ(e.EndVal, 100);

    // The start line would cross a zero reading before an empty tank.
    e = GradEndExtensions(table({{1000, 50}, {2000, 60}}), kU, 100);
    EXPECT_EQ(e.Flags & (TGradEnds::StartPoint | TGradEnds::StartAtZeroKey),
              TGradEnds::StartPoint | TGradEnds::StartAtZeroKey);
    EXPECT_EQ(e.StartKey, 0);
    EXPECT_EQ(e.StartVal, 40);

    // Falling volume with rising key: the end runs to an empty tank.
    e = GradEndExtensions(table({{1000, 90}, {2000, 50}}), kU, 100);
    EXPECT_TRUE(e.Flags & TGradEnds::EndPoint);
    EXPECT_EQ(e.EndVal, 0);
    EXPECT_EQ(e.EndKey, 2000 + 50 * 1000 / 40.0L);

    // Equal values give no extension; a full first point gives no start.
    e = GradEndExtensions(table({{1000, 100}, {2000, 50}, {3000, 50}}), kU, 100);
    EXPECT_EQ(e.Flags, 0);
}

TEST(GradRecorder, DerivedPointValues)
{
    TGrad in(2);
    in[0].U = 65535 / 4;   // 10 V
    in[0].U_POWER = 24;
    in[0].U_REF = 0;
    in[1].U = 100;
    in[1].U_POWER = 0;
    in[1].U_REF = 0;
    // k = 0, d = -us: denominator ur + k*us - d = us -> R = rObr.
    const long double us0 = (65535 / 4) * 40.0L / 65535;
    TGrad out = RecorderGradPoints(in, 0, -us0, 1200, 150);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].U_REDUCED, (65535 / 4) * 12.0L / 24);
    EXPECT_NEAR(double(out[0].R_SENSOR), 150.0, 1e-9);
    EXPECT_EQ(out[1].U_REDUCED, 0);   // no supply voltage recorded

    // A zero denominator leaves R_SENSOR at 0.
    TGrad zero(1);
    zero[0].U = 0;
    zero[0].U_REF = 0;
    EXPECT_EQ(RecorderGradPoints(zero, 1, 0, 1200, 150)[0].R_SENSOR, 0);

    EXPECT_EQ(RecorderGradPoints(TGrad(25), 0, 0, 1200, 150).size(), 20u);
}

TEST(GradTable, BoundLookupAgreesWithTheReference)
{
    // Sorted, unsorted, falling, equal keys and cleared points, with readings on, between and
    // beyond the keys.
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 8) % 2000; };
    for (int round = 0; round < 300; ++round) {
        TGrad t;
        const int n = int(next() % 8);
        for (int i = 0; i < n; ++i) {
            TGradPoint p;
            p.U = (round % 3 == 0) ? i * 100 : next();   // every third table has no repeats
            if (round % 5 == 0 && i == 1)
                p.U = t[0].U;
            p.VAL = int(next()) - 200;
            p.R_SENSOR = next() / 7.0L;
            t.push_back(p);
        }
        if (round % 2)
            PrepareGrad(t, kU);
        const TGradLookup byU(t, kU), byR(t, TGradKeyField::R_SENSOR);
        for (uint32_t x : {0u, 50u, 100u, 150u, 700u, 1999u, 2500u, uint32_t(next()), uint32_t(next())}) {
            for (bool neg : {false, true}) {
                const long double a = GradValueByVoltage(x, &t, kU, neg), b = byU.byVoltage(x, neg);
                EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << round << " " << x;
            }
            EXPECT_EQ(GradValueByResistance(x / 3.0L, &t), byR.byResistance(x / 3.0L)) << round << " " << x;
        }
    }
}

TEST(GradBlob, ReadsWhatTheCountAndSizeAllow)
{
    TGrad t;
    for (int i = 0; i < 25; ++i) {
        TGradPoint p;
        p.U = 100 * i;
        p.VAL = i * 1.25L;
        p.U_POWER = 24.1L;
        p.U_REDUCED = i / 3.0L;
        p.R_SENSOR = -i;
        p.U_REF = 0.1L;
        t.push_back(p);
    }
    const QByteArray blob = GradToBlob(t);
    ASSERT_EQ(blob.size(), 4 + 25 * 60);
    const TGrad back = GradFromBlob(blob);
    ASSERT_EQ(back.size(), 25u);
    EXPECT_EQ(back[24].U_REDUCED, 8.0L);
    EXPECT_EQ(back[3].U_REDUCED, t[3].U_REDUCED);   // 80-bit values come back bit for bit
    EXPECT_EQ(back[7].U_REF, 0.1L);

    auto withCount = [&](int32_t n, qsizetype size) {
        QByteArray b = blob.left(size);
        b[0] = char(n & 0xFF);
        b[1] = char((n >> 8) & 0xFF);
        b[2] = char((n >> 16) & 0xFF);
        b[3] = char((n >> 24) & 0xFF);
        return GradFromBlob(b).size();
    };
    EXPECT_EQ(withCount(25, 123), 1u);        // 123 bytes: one whole point
    EXPECT_EQ(withCount(30, 4 + 5 * 60), 5u); // the count says 30, five points are there
    EXPECT_EQ(withCount(20, 1204), 20u);
    EXPECT_EQ(withCount(-3, 1204), 0u);
    EXPECT_EQ(withCount(3, 4), 0u);
    EXPECT_TRUE(GradFromBlob(QByteArray()).empty());

    // The header form keeps 20 points of a longer table, with the table's own count.
    const QByteArray header = GradToHeaderTable(t);
    ASSERT_EQ(header.size(), 1204);
    EXPECT_EQ(uint8_t(header[0]), 25);
    EXPECT_EQ(GradFromHeaderTable(header).size(), 20u);
    TGrad two(t.begin(), t.begin() + 2);
    const QByteArray small = GradToHeaderTable(two);
    EXPECT_EQ(small.size(), 1204);
    EXPECT_EQ(GradFromHeaderTable(small).size(), 2u);
    EXPECT_EQ(GradToBlob({}), QByteArray(4, '\0'));
}
