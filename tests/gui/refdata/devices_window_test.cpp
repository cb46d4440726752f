// The recorders window: versions, serial numbers, duplicates, freeing and deleting a recorder.
#include "ref_db_fixture.h"
#include "core/ref_text.h"
#include "refdata/frm_devices.h"
#include "refdata/serial_field.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

class DevicesWindowTest : public RefDbTest {
protected:
    std::unique_ptr<TfrmDevices> open()
    {
        auto w = std::make_unique<TfrmDevices>(*data_);
        ui_.clear();
        return w;
    }
    void create(TfrmDevices& w, const QString& serial, const QString& hw, const QString& sw)
    {
        if (!w.addMode()) w.btnCreate->click();
        w.edtSerial->setText(serial);
        w.edtHW->setText(hw);
        w.edtSW->setText(sw);
        w.btnCreate->click();
    }
};

TEST(VersionText, ConvertsTheWaysTheRecorderVersionsAreTyped)
{
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {{"1.2", 120}, {"3,51", 351}, {"2", 200}, {"1.", 100}, {"1.234", 123}, {"", 0}, {"0.05", 5},
                 {"a.2", std::nullopt}, {"1.x", std::nullopt}, {"1.2b", std::nullopt}, {"v2", std::nullopt},
                 {"1.-5", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(reftext::VersionFromText(c.text), c.value) << c.text;
    EXPECT_EQ(reftext::VersionToText(120), "1.20");
    EXPECT_EQ(reftext::VersionToText(351), "3.51");
    EXPECT_EQ(reftext::VersionToText(5), "0.05");
}

TEST(Centivolts, RoundsToTheNearestHundredth)
{
    EXPECT_EQ(reftext::Centivolts("16,3"), 1630);
    EXPECT_EQ(reftext::Centivolts("12.0"), 1200);
    EXPECT_EQ(reftext::Centivolts("12,345"), 1235);
    EXPECT_EQ(reftext::Centivolts("0,004"), 0);
    EXPECT_EQ(reftext::Centivolts("12 В"), std::nullopt);
    EXPECT_EQ(reftext::Centivolts("1e300"), std::nullopt);
}

TEST_F(DevicesWindowTest, CreateChecksSerialAndVersionsAndRefusesDuplicatesInAnyCase)
{
    const QString serial = Serial(0xABCDE);
    auto w = open();
    create(*w, serial.toLower(), "1.2", "3,51");
    EXPECT_EQ(shown(), QStringList{});
    EXPECT_EQ(scalar("SELECT HWVersion FROM T_Registrators WHERE RegSerNum = ?", {serial}).toInt(), 120);
    EXPECT_EQ(scalar("SELECT SWVersion FROM T_Registrators WHERE RegSerNum = ?", {serial}).toInt(), 351);
    EXPECT_TRUE(scalar("SELECT CarNumber FROM T_Registrators").isNull());
    EXPECT_EQ(w->grid()->selectedText(0), serial);
    EXPECT_EQ(w->edtHW->text(), "1.20");
    EXPECT_FALSE(w->btnFree->isEnabled());

    const QString duplicate = "Регистратор с номером \"" + serial + "\" уже есть в базе данных!";
    const QString hint = "\r\nВерсия должна быть в виде X.Y (например, 1.2, или 3.51, или 2)";
    const struct {
        QString serial, hw, sw, message;
    } cases[] = {
        {serial, "1", "1", duplicate},
        {"1.02.0304.E-00000", "1", "1", "E1403: Ошибочный серийный номер!"},
        {"1.02.0304.E-0000012.2", "1", "1", "E1403: Ошибочный серийный номер!"},
        {Serial(7), "a.2", "1", "Не верно указана версия оборудования!" + hint},
        {Serial(7), "1", "1.x", "Не верно указана версия ПО!" + hint},
    };
    for (const auto& c : cases) {
        ui_.clear();
        create(*w, c.serial, c.hw, c.sw);
        EXPECT_EQ(shown(), QStringList{c.message}) << c.serial.toStdString();
    }
    EXPECT_EQ(count("T_Registrators"), 1);
}

TEST_F(DevicesWindowTest, ChangeStoresTheVersions)
{
    const QString serial = Serial(0x51);
    sql("INSERT INTO T_Registrators (RegSerNum, HWVersion, SWVersion, Calibrated) VALUES (?, 100, 100, 0)", {serial});
    auto w = open();
    w->edtHW->setText("1.234");
    w->edtSW->setText("1.");
    w->btnChange->click();
    EXPECT_EQ(scalar("SELECT HWVersion FROM T_Registrators").toInt(), 123);
    EXPECT_EQ(scalar("SELECT SWVersion FROM T_Registrators").toInt(), 100);
    w->edtSerial->clear();
    w->btnChange->click();
    EXPECT_TRUE(shown().contains("E1409: Ошибочный серийный номер!"));
}

TEST_F(DevicesWindowTest, FreeClearsCarFlagAndTank1ButKeepsTank2)
{
    const QString serial = Serial(0x77);
    sql("INSERT INTO T_Cars (CarNumber, InUse) VALUES ('Е777КХ', 1)");
    sql("INSERT INTO T_Registrators (RegSerNum, CarNumber, Calibrated, Tank1K, Tank2K) VALUES (?, 'Е777КХ', 1, ?, ?)",
        {serial, QByteArray("one"), QByteArray("two")});
    auto w = open();
    EXPECT_EQ(w->grid()->selectedText(1), "Е777КХ");
    EXPECT_TRUE(w->btnFree->isEnabled());
    QString shownCar;
    w->showCar = [&](const QString& n) { shownCar = n; };
    emit w->grid()->cellDoubleClicked(0, 1);
    EXPECT_EQ(shownCar, "Е777КХ");

    w->btnFree->click();
    EXPECT_EQ(scalar("SELECT CarNumber FROM T_Registrators").toString(), "");
    EXPECT_EQ(scalar("SELECT Calibrated FROM T_Registrators").toInt(), 0);
    EXPECT_EQ(scalar("SELECT Tank1K FROM T_Registrators").toByteArray(), QByteArray());
    EXPECT_EQ(scalar("SELECT Tank2K FROM T_Registrators").toByteArray(), QByteArray("two"));
    EXPECT_FALSE(w->btnFree->isEnabled());
}

TEST_F(DevicesWindowTest, DeleteAlsoDeletesTheCalibrationPointsOfEveryType)
{
    const QString serial = Serial(0x99), other = Serial(0x98);
    for (const QString& s : {serial, other})
        sql("INSERT INTO T_Registrators (RegSerNum, Calibrated) VALUES (?, 0)", {s});
    sql("INSERT INTO T_GRAD (REGSERNUM, TYPE_GRAD, U, VAL) VALUES (?, 1, 1.0, 20.0)", {serial});
    sql("INSERT INTO T_GRAD (REGSERNUM, TYPE_GRAD, U, VAL) VALUES (?, 2, 1.0, 20.0)", {serial});
    sql("INSERT INTO T_GRAD (REGSERNUM, TYPE_GRAD, U, VAL) VALUES (?, 1, 1.0, 20.0)", {other});
    auto w = open();
    w->grid()->selectKey(serial);
    ui_.queueYes();
    w->btnDelete->click();
    EXPECT_EQ(count("T_Registrators"), 1);
    EXPECT_EQ(count("T_GRAD", "REGSERNUM = ?", {serial}), 0);
    EXPECT_EQ(count("T_GRAD", "REGSERNUM = ?", {other}), 1);
}

TEST_F(DevicesWindowTest, SortingByCarKeepsTheSelectedRecorderAndRenumbers)
{
    const QString a = Serial(1), b = Serial(2);
    sql("INSERT INTO T_Registrators (RegSerNum, CarNumber, Calibrated) VALUES (?, 'Я999', 0)", {a});
    sql("INSERT INTO T_Registrators (RegSerNum, CarNumber, Calibrated) VALUES (?, 'А111', 0)", {b});
    auto w = open();
    const QString first = w->grid()->selectedText(0);
    w->grid()->sortBy(1);
    EXPECT_EQ(w->grid()->item(0, 2)->text(), "А111");
    EXPECT_EQ(w->grid()->item(0, 0)->text(), "1");
    EXPECT_EQ(w->grid()->selectedText(0), first);
}

}  // namespace
