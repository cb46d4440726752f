// The stores on an upgraded database: what is written is read back unchanged (Cyrillic, quotes,
// semicolons, blobs, dates), keys find rows, deletes remove them.
#include "car_store.h"
#include "car_type_store.h"
#include "carrier_store.h"
#include "db_fixture.h"
#include "driver_store.h"
#include "grad_store.h"
#include "order_store.h"
#include "recorder_store.h"
#include "schema_upgrade.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

const TOpCodes Codes{"E9001: statement", "E9002: end"};

// Texts a user may type anywhere: Cyrillic, both quotes, a semicolon, SQL-looking text.
const QStringList Awkward = {
    "Камаз \"Экстра\"", "O'Brien; DROP TABLE T_Cars;--", "ёЁ №5 «ёлка»", "\"\"", "';\"",
};

class StoresTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        UpgradeSchema(open(path));
        ui.clear();
    }
    bool write(const std::function<bool()>& body) { return data->RunOperation(Codes, body); }
};

TEST_F(StoresTest, CarTextsBlobsAndNumbersRoundTrip)
{
    TCarStore cars(*data);
    for (const QString& text : Awkward) {
        SCOPED_TRACE(text.toStdString());
        const QString number = text.left(8);
        const QString description = text + "\r\nвторая строка; " + text;
        ASSERT_TRUE(write([&] {
            return cars.insert({{"CarNumber", number}, {"InUse", 1}, {"CarGSM", 31.5}, {"CarUPower", 2400},
                                {"CarDescLong", description}, {"AInputBak2Descr", text}, {"AInputBak2Param", 0.5}});
        }));
        std::optional<TDbRow> row;
        ASSERT_TRUE(cars.find(number, row));
        ASSERT_TRUE(row);
        EXPECT_EQ(row->text("CarNumber"), number);
        EXPECT_EQ(row->text("CarDescLong"), description);
        EXPECT_EQ(row->text("AInputBak2Descr"), text);
        EXPECT_DOUBLE_EQ(row->real("CarGSM"), 31.5);
        EXPECT_EQ(row->integer("CarUPower"), 2400);
        EXPECT_TRUE(row->isNull("CarTypeRef"));
        EXPECT_EQ(row->integer("DInput3Level", -1), 0);  // the version-2 default
    }
    std::vector<TDbRow> all;
    ASSERT_TRUE(cars.list(all));
    EXPECT_EQ(all.size(), size_t(Awkward.size()));
    EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join('|').toStdString();
}

TEST_F(StoresTest, RussianTextIsStoredAsCharactersNotBytes)
{
    // "Госномер" of 8 Cyrillic letters fits the 8-character column (16 bytes in UTF-8).
    TCarStore cars(*data);
    ASSERT_TRUE(write([&] { return cars.insert({{"CarNumber", "АБВГДЕЖЗ"}}); }));
    data.reset();
    EXPECT_TRUE(Isql(path, "SELECT CarNumber FROM T_Cars;\n").contains("АБВГДЕЖЗ"));
    // Too long is refused by the database, not cut.
    open(path);
    TCarStore again(*data);
    EXPECT_FALSE(write([&] { return again.insert({{"CarNumber", "АБВГДЕЖЗИ"}}); }));
    EXPECT_EQ(ui.textsOf("error"), QStringList{Codes.statementFailed});
}

TEST_F(StoresTest, DuplicateKeyIsAFailedStatement)
{
    TRecorderStore recorders(*data);
    const QString serial = "000000000000000000001";
    ASSERT_TRUE(write([&] { return recorders.insert({{"RegSerNum", serial}, {"Calibrated", 0}}); }));
    EXPECT_FALSE(write([&] { return recorders.insert({{"RegSerNum", serial}, {"Calibrated", 1}}); }));
    EXPECT_EQ(ui.textsOf("error"), QStringList{Codes.statementFailed});
    ASSERT_EQ(ui.textsOf("plain").size(), 1);
    EXPECT_TRUE(ui.textsOf("plain")[0].startsWith("INSERT INTO T_Registrators"));
}

TEST_F(StoresTest, RecorderCalibrationBlobsAndDates)
{
    TRecorderStore recorders(*data);
    QByteArray table(1204, '\0');
    for (int i = 0; i < table.size(); ++i) table[i] = char(i * 7);
    const QDateTime installed(QDate(2024, 2, 29), QTime(13, 45, 7));
    const QString serial = "123456789012345678901";
    ASSERT_TRUE(write([&] {
        return recorders.insert({{"RegSerNum", serial}, {"HWVersion", 120}, {"InstallDate", installed},
                                 {"CarNumber", "А123ВС"}, {"Tank1K", table}, {"Tank2K", QByteArray()}});
    }));
    std::optional<TDbRow> row;
    ASSERT_TRUE(recorders.findByCar("А123ВС", row));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text("RegSerNum"), serial);
    EXPECT_EQ(row->bytes("Tank1K"), table);
    EXPECT_TRUE(row->bytes("Tank2K").isEmpty());
    EXPECT_EQ(row->value("InstallDate").toDateTime(), installed);
    EXPECT_TRUE(row->isNull("CalibrationStartDate"));

    ASSERT_TRUE(write([&] { return recorders.update(serial, {{"CarNumber", ""}, {"Tank1K", QByteArray("")}}); }));
    ASSERT_TRUE(recorders.find(serial, row));
    EXPECT_EQ(row->text("CarNumber"), "");
    EXPECT_TRUE(row->bytes("Tank1K").isEmpty());
    ASSERT_TRUE(recorders.findByCar("А123ВС", row));
    EXPECT_FALSE(row);
}

TEST_F(StoresTest, DriversAndCarTypesGetTheirUidFromTheDatabase)
{
    TDriverStore drivers(*data);
    int first = 0, second = 0;
    ASSERT_TRUE(write([&] { return drivers.insert({"Иванов", "Иван", "Иванович"}, first); }));
    ASSERT_TRUE(write([&] { return drivers.insert({"Абрамов", "\"Пётр\"", ""}, second); }));
    EXPECT_NE(first, second);
    std::optional<TDbRow> row;
    ASSERT_TRUE(drivers.findByName({"Абрамов", "\"Пётр\"", ""}, row));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->integer("UID"), second);
    std::vector<TDbRow> rows;
    ASSERT_TRUE(drivers.list(rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text("DRIVERSNAME"), "Абрамов");  // ordered by surname
    ASSERT_TRUE(write([&] { return drivers.remove(second); }));
    ASSERT_TRUE(drivers.find(second, row));
    EXPECT_FALSE(row);

    TCarTypeStore types(*data);
    int uid = 0;
    ASSERT_TRUE(write([&] {
        return types.insert({{"TypeName", "ГАЗель \"Next\""}, {"Description", "строка 1\r\nстрока 2"},
                             {"DefaultDInput4Descr", "уровень; топлива"}},
                            uid);
    }));
    ASSERT_TRUE(types.findByName("ГАЗель \"Next\"", row));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->integer("UID"), uid);
    EXPECT_EQ(row->text("Description"), "строка 1\r\nстрока 2");
    EXPECT_EQ(row->text("DefaultDInput4Descr"), "уровень; топлива");
}

TEST_F(StoresTest, CarrierHasOrderCountsIssuedOrders)
{
    TCarrierStore carriers(*data);
    TOrderStore orders(*data);
    const QString serial = "000000000000000000042";
    ASSERT_TRUE(write([&] { return carriers.insert({{"SerNum", serial}, {"InUse", 1}}); }));
    auto hasOrder = [&] {
        std::optional<TDbRow> row;
        EXPECT_TRUE(carriers.find(serial, row));
        return row ? row->integer("HasOrder", -1) : -1;
    };
    EXPECT_EQ(hasOrder(), 0);
    int issued = 0, done = 0;
    ASSERT_TRUE(write([&] {
        return orders.insert({{"CarrierSerNum", serial}, {"OrderState", 1}}, issued) &&
               orders.insert({{"CarrierSerNum", serial}, {"OrderState", 2}}, done);
    }));
    EXPECT_EQ(hasOrder(), 1);
    ASSERT_TRUE(write([&] { return orders.update(issued, {{"OrderState", 3}}); }));
    EXPECT_EQ(hasOrder(), 0);
}

TEST_F(StoresTest, OrderBlobsAndGuidLookup)
{
    TOrderStore orders(*data);
    QByteArray actions(4 + 20, '\0');
    actions[0] = 1;
    actions[10] = char(0xFF);
    const QByteArray gif("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14);
    const QString guid = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";
    int uid = 0;
    ASSERT_TRUE(write([&] {
        return orders.insert({{"GUID", guid}, {"OrderState", 0}, {"FuelActions", actions}, {"FuelGraph", gif},
                              {"PathGraph", QByteArray()}, {"OrderDescLong", "Маршрут \"Москва; Тверь\""},
                              {"OrderStartDate", QDateTime(QDate(2025, 1, 2), QTime(0, 0))}, {"PathReal", 123.25}},
                             uid);
    }));
    std::optional<TDbRow> row;
    ASSERT_TRUE(orders.findByGuid(guid, row));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->integer("OrderUID"), uid);
    EXPECT_EQ(row->bytes("FuelActions"), actions);
    EXPECT_EQ(row->bytes("FuelGraph"), gif);
    EXPECT_TRUE(row->bytes("PathGraph").isEmpty());
    EXPECT_EQ(row->text("OrderDescLong"), "Маршрут \"Москва; Тверь\"");
    EXPECT_DOUBLE_EQ(row->real("PathReal"), 123.25);
    ASSERT_TRUE(write([&] { return orders.remove(uid); }));
    ASSERT_TRUE(orders.find(uid, row));
    EXPECT_FALSE(row);
}

TEST_F(StoresTest, GradPointsOfOneRecorderAndKind)
{
    TGradStore grad(*data);
    const QString serial = "000000000000000000007";
    ASSERT_TRUE(write([&] {
        return grad.addPoint(serial, 1, {2.5, 90, 12.0}) && grad.addPoint(serial, 1, {0.5, -20, QVariant()}) &&
               grad.addPoint(serial, 2, {1.0, 5, 12.0}) && grad.addPoint("000000000000000000008", 1, {1.0, 1, 1.0});
    }));
    std::vector<TGradRow> points;
    ASSERT_TRUE(grad.points(serial, 1, points));
    ASSERT_EQ(points.size(), 2u);
    EXPECT_DOUBLE_EQ(points[0].u, 0.5);  // ordered by U
    EXPECT_DOUBLE_EQ(points[0].val, -20);
    EXPECT_TRUE(points[0].uPower.isNull());
    EXPECT_DOUBLE_EQ(points[1].uPower.toDouble(), 12.0);
    // The same reading twice for one recorder and kind breaks the key.
    EXPECT_FALSE(write([&] { return grad.addPoint(serial, 1, {2.5, 91, 12.0}); }));
    ASSERT_TRUE(write([&] { return grad.removePoints(serial, 1); }));
    ASSERT_TRUE(grad.points(serial, 1, points));
    EXPECT_TRUE(points.empty());
    ASSERT_TRUE(write([&] { return grad.removeRecorder(serial); }));
    ASSERT_TRUE(grad.points(serial, 2, points));
    EXPECT_TRUE(points.empty());
    ASSERT_TRUE(grad.points("000000000000000000008", 1, points));
    EXPECT_EQ(points.size(), 1u);
}

TEST_F(StoresTest, NamesThatAreNotIdentifiersAreRefused)
{
    TCarStore cars(*data);
    EXPECT_FALSE(write([&] { return cars.insert({{"CarNumber) VALUES ('x'); --", "x"}}); }));
    std::vector<TDbRow> rows;
    EXPECT_THROW(cars.list(rows, "CarNumber; DROP TABLE T_Cars"), std::invalid_argument);
    EXPECT_NO_THROW(cars.list(rows, "InUse DESC, CarNumber"));
}

}  // namespace
