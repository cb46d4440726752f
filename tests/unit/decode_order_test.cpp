#include "decode_order.h"
#include "grad_blob.h"
#include "protocol_builder.h"

#include <gtest/gtest.h>

namespace {

TGradPoint point(long double u, long double val)
{
    TGradPoint p;
    p.U = u;
    p.VAL = val;
    return p;
}

TCarData carWithHeaderTables(TOrderHeader& header)
{
    TCarData car;
    car.CarNumber = "А123ВС";
    car.CarTank1Vol = 250;
    car.CarUPower = 2400;
    car.CarSpeedType = 1;
    car.CarSpeedK = 3000;
    // Recorded out of order, with a point the operator cleared.
    const TGrad recorded = {point(10000, 100), point(5000, 999), point(0, 0), point(8000, 80)};
    TGrad cleared = recorded;
    cleared[1].VAL = -1;
    car.Tank1K = GradToHeaderTable(cleared);
    StoreCarInHeader(car, header);
    header.SetTempPoints({{100, 9000, 2400}, {300, 3000, 2400}});
    return car;
}

}  // namespace

TEST(DecodeOrder, HeaderTablesArePreparedBeforeUse)
{
    TOrderHeader header;
    const TCarData car = carWithHeaderTables(header);
    const TDecodeTables tables = DecodeTablesFromHeader(car, header);
    ASSERT_EQ(tables.Tank1.size(), 3u);
    EXPECT_EQ(tables.Tank1[0].U, 0);
    EXPECT_EQ(tables.Tank1[2].U, 10000);
    ASSERT_EQ(tables.Temp.size(), 2u);
    EXPECT_EQ(tables.Temp[1].VAL, 3000);

    // Code 5000 lies between the points 0 and 8000: 50 l. Unprepared, the cleared point and the
    // falling first pair would have given another value.
    TProtokolRecords r{ClockRec(10, 0, 0), Part1(1, 30000, 5000), Part2(1), Part3(1, 150)};
    TKDDData s;
    double end = 0, start = 0;
    ASSERT_TRUE(DecodeProtocol(r, &car, tables, false, {}, s, end, start));
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].Tank1, 5000);
    EXPECT_EQ(s[0].PathStep, 50);
}

TEST(DecodeOrder, NeedsRecordsAndACarWithANumber)
{
    TOrderHeader header;
    TCarData car = carWithHeaderTables(header);
    const TDecodeTables tables = DecodeTablesFromHeader(car, header);
    const TProtokolRecords r{ClockRec(10, 0, 0), Part1(1, 30000, 5000)};
    TKDDData s(2);
    double end = 7, start = 7;
    EXPECT_FALSE(DecodeProtocol(r, nullptr, tables, false, {}, s, end, start));
    EXPECT_FALSE(DecodeProtocol({}, &car, tables, false, {}, s, end, start));
    car.CarNumber.clear();
    EXPECT_FALSE(DecodeProtocol(r, &car, tables, false, {}, s, end, start));
    EXPECT_EQ(s.size(), 2u);   // untouched
    EXPECT_EQ(end, 7);
}
