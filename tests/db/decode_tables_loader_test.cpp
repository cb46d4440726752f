#include "db_fixture.h"
#include "decode_tables_loader.h"
#include "grad_blob.h"
#include "schema_upgrade.h"
#include "stores/grad_store.h"
#include "stores/recorder_store.h"

namespace {

TGradPoint point(long double u, long double val)
{
    TGradPoint p;
    p.U = u;
    p.VAL = val;
    return p;
}

class DecodeTablesTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        open(path);
        UpgradeSchema(*data);
        ASSERT_TRUE(data->Commit());
        car.CarNumber = "А123ВС";
        car.CarTank1Vol = 250;
        car.CarTank2Vol = 100;
        car.CarUPower = 2400;
        // The header carries older tables: 0 ... 10000 reads 0 ... 50 l.
        header.SetTank1K(GradToHeaderTable({point(0, 0), point(10000, 50)}));
        header.SetTank2K(GradToHeaderTable({point(0, 0), point(10000, 20)}));
        header.SetTempPoints({{100, 9000, 2400}, {300, 3000, 2400}});
        ui.clear();
    }

    void addRecorder(const TGrad& tank1, const TGrad& tank2)
    {
        ASSERT_TRUE(TRecorderStore(*data).insert({{"RegSerNum", kSerial},
                                                  {"CarNumber", car.CarNumber},
                                                  {"Tank1K", GradToBlob(tank1)},
                                                  {"Tank2K", GradToBlob(tank2)}}));
        ASSERT_TRUE(data->Commit());
    }

    static constexpr const char* kSerial = "0102-0304-0506-0708-9";
    TCarData car;
    TOrderHeader header;
};

}  // namespace

TEST_F(DecodeTablesTest, RecorderTablesArePreparedAndMissingOnesComeFromTheHeader)
{
    // Tank 1 recorded out of order with a cleared point; tank 2 has a single point: not usable.
    TGrad tank1 = {point(8000, 80), point(5000, -1), point(0, 0), point(10000, 100)};
    addRecorder(tank1, {point(100, 1)});
    TDecodeTables t;
    ASSERT_TRUE(LoadDecodeTables(*data, car, header, ui, t));
    ASSERT_EQ(t.Tank1.size(), 3u);
    EXPECT_EQ(t.Tank1[0].U, 0);
    EXPECT_EQ(t.Tank1[2].VAL, 100);
    ASSERT_EQ(t.Tank2.size(), 2u);
    EXPECT_EQ(t.Tank2[1].VAL, 20);
    EXPECT_EQ(ui.textsOf("error"), QStringList{"E1756: Не найдена градуировка бака 2!"});
}

TEST_F(DecodeTablesTest, UnknownCarUsesTheHeaderTables)
{
    for (const int tank2Vol : {100, 0}) {
        ui.clear();
        car.CarTank2Vol = tank2Vol;
        TDecodeTables t;
        ASSERT_TRUE(LoadDecodeTables(*data, car, header, ui, t));
        EXPECT_EQ(t.Tank1.size(), 2u);
        EXPECT_EQ(t.Tank1[1].VAL, 50);
        EXPECT_EQ(t.Temp.size(), 2u);
        QStringList expected{"E1738: Не найдена градуировка бака 1!"};
        if (tank2Vol)
            expected << "E1756: Не найдена градуировка бака 2!";
        EXPECT_EQ(ui.textsOf("error"), expected);
    }
}

TEST_F(DecodeTablesTest, TemperaturePointsOfTheRecorder)
{
    addRecorder({point(0, 0), point(10000, 100)}, {point(0, 0), point(10000, 100)});
    TGradStore grads(*data);
    ASSERT_TRUE(grads.addPoint(kSerial, 1, {2.0, 40, QVariant()}));
    ASSERT_TRUE(grads.addPoint(kSerial, 1, {1.0, 90, 24.0}));
    ASSERT_TRUE(grads.addPoint(kSerial, 2, {0.5, 10, 24.0}));   // another kind: not taken
    ASSERT_TRUE(data->Commit());
    TDecodeTables t;
    ASSERT_TRUE(LoadDecodeTables(*data, car, header, ui, t));
    ASSERT_EQ(t.Temp.size(), 2u);
    EXPECT_EQ(t.Temp[0].U, 100);
    EXPECT_EQ(t.Temp[0].VAL, 9000);
    EXPECT_EQ(t.Temp[0].U_REDUCED, 100);   // 2400 * 100 / 2400
    EXPECT_EQ(t.Temp[1].U_POWER, 0);       // empty supply voltage
    EXPECT_EQ(t.Temp[1].U_REDUCED, 0);
    EXPECT_TRUE(ui.textsOf("error").isEmpty());

    // A single point is not a table: the header's points are used.
    ASSERT_TRUE(grads.removePoints(kSerial, 1));
    ASSERT_TRUE(grads.addPoint(kSerial, 1, {1.0, 90, 24.0}));
    ASSERT_TRUE(data->Commit());
    ASSERT_TRUE(LoadDecodeTables(*data, car, header, ui, t));
    ASSERT_EQ(t.Temp.size(), 2u);
    EXPECT_EQ(t.Temp[1].VAL, 3000);
}

TEST_F(DecodeTablesTest, DatabaseFailureEndsTheDecoding)
{
    data->Close();
    ui.clear();
    TDecodeTables t;
    EXPECT_FALSE(LoadDecodeTables(*data, car, header, ui, t));
    EXPECT_EQ(ui.textsOf("error").last(), "E1739: Ошибка чтения градуировок баков!");
}
