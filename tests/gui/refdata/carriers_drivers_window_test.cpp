// The carriers and drivers windows.
#include "ref_db_fixture.h"
#include "refdata/frm_carriers.h"
#include "refdata/frm_drivers.h"
#include "refdata/serial_field.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

class CarriersWindowTest : public RefDbTest {};
class DriversWindowTest : public RefDbTest {};

TEST_F(CarriersWindowTest, CreateWithEmptiedDatesStoresNullAndRefusesDuplicates)
{
    const QString serial = Serial(0x4242);
    TfrmCarriers w(*data_);
    EXPECT_TRUE(w.edtSerial->isReadOnly());
    w.btnCreate->click();
    EXPECT_FALSE(w.edtSerial->isReadOnly());
    EXPECT_TRUE(w.chkInUse->isChecked());
    EXPECT_EQ(w.edtInitDate->text(), QDate::currentDate().toString("dd.MM.yy"));
    w.edtSerial->setText(serial.toLower());
    w.edtInitDate->clear();
    w.edtWriteDate->setText("05.03.24");
    w.btnCreate->click();
    EXPECT_EQ(shown(), QStringList{});
    EXPECT_TRUE(scalar("SELECT InitDate FROM T_Carriers").isNull());
    EXPECT_EQ(scalar("SELECT LastOrderWriteDate FROM T_Carriers").toDateTime().date(), QDate(2024, 3, 5));
    EXPECT_EQ(scalar("SELECT InUse FROM T_Carriers").toInt(), 1);
    EXPECT_EQ(scalar("SELECT SerNum FROM T_Carriers").toString(), serial);
    EXPECT_TRUE(w.edtSerial->isReadOnly());

    w.btnCreate->click();
    w.edtSerial->setText(serial);
    w.btnCreate->click();
    EXPECT_EQ(shown(), QStringList{"Носитель с серийным номером \"" + serial + "\" уже есть в базе данных!"});
    w.edtSerial->setText("1.02.0304.E-0000012.2");
    w.btnCreate->click();
    EXPECT_TRUE(shown().contains("E1003: Неверный серийный номер носителя"));
    EXPECT_EQ(count("T_Carriers"), 1);
}

TEST_F(CarriersWindowTest, ColoursChangeAndDelete)
{
    const QString ordered = Serial(1), idle = Serial(2), used = Serial(3);
    sql("INSERT INTO T_Carriers (SerNum, InUse) VALUES (?, 0)", {ordered});
    sql("INSERT INTO T_Carriers (SerNum, InUse) VALUES (?, 0)", {idle});
    sql("INSERT INTO T_Carriers (SerNum, InUse) VALUES (?, 1)", {used});
    // An issued order on the carrier makes HasOrder positive.
    sql("INSERT INTO T_Orders (GUID, OrderState, CarrierSerNum) VALUES ('{g}', 1, ?)", {ordered});
    TfrmCarriers w(*data_);
    const auto colourOf = [&](const QString& s) {
        for (int r = 0; r < w.grid()->rowCount(); ++r)
            if (w.grid()->item(r, 0)->text() == s) return w.grid()->item(r, 0)->background().color();
        return QColor();
    };
    EXPECT_EQ(colourOf(ordered), QColor(255, 237, 234));
    EXPECT_EQ(colourOf(idle), QColor(240, 238, 238));
    EXPECT_EQ(colourOf(used), QColor(238, 255, 234));

    w.grid()->selectKey(idle);
    w.chkInUse->setChecked(true);
    w.btnChange->click();
    EXPECT_EQ(scalar("SELECT InUse FROM T_Carriers WHERE SerNum = ?", {idle}).toInt(), 1);
    EXPECT_EQ(w.grid()->selectedText(0), idle);
    EXPECT_EQ(colourOf(idle), QColor(238, 255, 234));

    ui_.queueNo();
    w.btnDelete->click();
    EXPECT_EQ(count("T_Carriers"), 3);
    ui_.queueYes();
    w.btnDelete->click();
    EXPECT_EQ(count("T_Carriers", "SerNum = ?", {idle}), 0);
}

TEST_F(DriversWindowTest, AddChangeAndDeleteWithTheirRules)
{
    TfrmDrivers w(*data_);
    EXPECT_EQ(w.btnCreate->text(), "Добавить");
    w.btnCreate->click();  // all names empty: nothing happens
    EXPECT_EQ(count("T_Drivers"), 0);
    w.edtSurname->setText("О'Коннор \"Младший\"");
    w.btnCreate->click();
    EXPECT_EQ(count("T_Drivers"), 1);
    EXPECT_EQ(w.grid()->selectedText(0), "О'Коннор \"Младший\"");
    w.btnCreate->click();
    EXPECT_EQ(shown(), QStringList{"Такой водитель уже есть в базе данных!"});
    EXPECT_EQ(count("T_Drivers"), 1);

    w.edtSurname->setText("Иванов");
    w.edtName->setText("Пётр");
    w.btnCreate->click();
    w.edtPatronymic->setText("Ильич");
    w.btnChange->click();
    EXPECT_EQ(scalar("SELECT DRIVERFNAME FROM T_Drivers WHERE DRIVERSNAME = 'Иванов'").toString(), "Ильич");
    EXPECT_EQ(w.grid()->selectedText(2), "Ильич");

    // Names edited after selecting no longer match the row: nothing is deleted, no message.
    ui_.clear();
    w.edtName->setText("Павел");
    ui_.queueYes();
    w.btnDelete->click();
    EXPECT_EQ(shown(), QStringList{"Вы хотите удалить из базы данных?"});
    EXPECT_EQ(count("T_Drivers"), 2);
    w.grid()->selectRow(0);
    ui_.queueYes();
    w.btnDelete->click();
    EXPECT_EQ(count("T_Drivers"), 1);
}

TEST_F(DriversWindowTest, SortingRenumbersAndKeepsTheSelectedDriver)
{
    sql("INSERT INTO T_Drivers (DRIVERSNAME, DRIVERNAME, DRIVERFNAME) VALUES ('Антонов', 'Яков', '')");
    sql("INSERT INTO T_Drivers (DRIVERSNAME, DRIVERNAME, DRIVERFNAME) VALUES ('Борисов', 'Андрей', '')");
    TfrmDrivers w(*data_);
    w.grid()->selectRow(1);
    EXPECT_EQ(w.edtSurname->text(), "Борисов");
    w.grid()->sortBy(1);
    EXPECT_EQ(w.grid()->item(0, 1)->text(), "Борисов");
    EXPECT_EQ(w.grid()->item(0, 0)->text(), "1");
    EXPECT_EQ(w.grid()->selectedText(0), "Борисов");
}

}  // namespace
