// The car types window: create with its duplicate check, change, delete by key, the enabling rules
// and the voltage conversion.
#include "ref_db_fixture.h"
#include "refdata/equipment_fields.h"
#include "refdata/extra_inputs_pages.h"
#include "refdata/frm_car_types.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

namespace {

class CarTypesWindowTest : public RefDbTest {
protected:
    std::unique_ptr<TfrmCarTypes> open()
    {
        auto w = std::make_unique<TfrmCarTypes>(*data_);
        ui_.clear();
        return w;
    }
    void create(TfrmCarTypes& w, const QString& name, const QString& voltage = "12")
    {
        if (!w.addMode()) w.btnCreate->click();
        w.edtName->setText(name);
        w.fields->edtUPower->setText(voltage);
        w.btnCreate->click();
    }
    QVariant typeValue(const QString& column, const QString& name)
    {
        return scalar("SELECT " + column + " FROM T_CarTypes WHERE TypeName = ?", {name});
    }
};

TEST_F(CarTypesWindowTest, CreateStoresTheFieldsAndRefusesADuplicateName)
{
    auto w = open();
    EXPECT_FALSE(w->btnChange->isEnabled());  // nothing to show in an empty table
    w->btnCreate->click();
    EXPECT_EQ(w->btnCreate->text(), "Добавить");
    w->edtName->setText("ГАЗель \"Next\"");
    w->fields->edtUPower->setText("16,3");
    w->fields->edtGSM->setText("12,5");
    w->fields->spnInc->setValue(500);
    w->fields->cmbSpeedType->setCurrentIndex(1);
    w->fields->edtSpeedK->setText("2500");
    w->fields->cmbTachType->setCurrentIndex(2);
    w->fields->extras->counting[1].cmbType->setCurrentIndex(2);
    w->fields->extras->counting[1].edtParam->setText("0,25");
    w->fields->memDescription->setPlainText("Фургон\nцельнометаллический");
    w->btnCreate->click();
    EXPECT_EQ(shown(), QStringList{});
    const QString name = "ГАЗель \"Next\"";
    EXPECT_EQ(typeValue("DefaultUPower", name).toInt(), 1630);
    EXPECT_DOUBLE_EQ(typeValue("DefaultTypGSM", name).toDouble(), 12.5);
    EXPECT_EQ(typeValue("DefaultIncCriterion", name).toInt(), 500);
    EXPECT_EQ(typeValue("DefaultSpeedK", name).toDouble(), 2500.0);
    EXPECT_EQ(typeValue("DefaultTachType", name).toInt(), 2);
    EXPECT_EQ(typeValue("DefaultFuelMeasureType", name).toInt(), 129);
    EXPECT_DOUBLE_EQ(typeValue("DefaultDInput4Param", name).toDouble(), 0.25);
    EXPECT_EQ(w->grid()->selectedText(0), name);
    EXPECT_EQ(w->grid()->selectedText(1), " Фургон цельнометаллический");
    EXPECT_EQ(w->edtUID->text(), typeValue("UID", name).toString());

    create(*w, name);
    EXPECT_EQ(shown(), QStringList{"Тип автомобиля с названием \"ГАЗель \"Next\"\" уже есть в базе данных!"});
    EXPECT_EQ(count("T_CarTypes"), 1);
    ui_.clear();
    w->edtName->clear();
    w->btnCreate->click();
    EXPECT_EQ(shown(), QStringList{"E1201: Не задано название марки автомобиля: Информация не добавлена! "
                                   "Попробуйте повторить операцию"});
}

TEST_F(CarTypesWindowTest, VoltageOnCreateCountsOnlyAboveZeroOnChangeEveryNumber)
{
    auto w = open();
    create(*w, "Ноль", "0");
    create(*w, "Текст", "двенадцать");
    create(*w, "Минус", "-5");
    EXPECT_EQ(typeValue("DefaultUPower", "Ноль").toInt(), 0);
    EXPECT_EQ(typeValue("DefaultUPower", "Текст").toInt(), 0);
    EXPECT_EQ(typeValue("DefaultUPower", "Минус").toInt(), 0);
    EXPECT_EQ(shown(), QStringList{});
    w->fields->edtUPower->setText("-5");
    w->btnChange->click();
    EXPECT_EQ(typeValue("DefaultUPower", "Минус").toInt(), -500);
}

TEST_F(CarTypesWindowTest, ShownTypeFollowsTheRulesAndChangeMayRenameToAnExistingName)
{
    sql("INSERT INTO T_CarTypes (TypeName, DefaultSpeedType, DefaultFuelMeasureType, DefaultTank2Volume, "
        "DefaultAInputBak2Type, DefaultUPower, DefaultUsePowerForVolume) VALUES ('Первый', 0, 128, 5, 1, 2450, 1)");
    sql("INSERT INTO T_CarTypes (TypeName, DefaultSpeedType, DefaultFuelMeasureType) VALUES ('Второй', 1, 1)");
    auto w = open();
    EXPECT_EQ(w->edtName->text(), "Первый");
    // Bit 7 is stored but the speed type is "Нет": the box shows unchecked.
    EXPECT_FALSE(w->fields->chkOnlyInMotion->isChecked());
    EXPECT_EQ(w->fields->cmbMethod->currentIndex(), 0);
    EXPECT_TRUE(w->fields->chkUsePower->isChecked());
    EXPECT_FALSE(w->fields->lblSpeedK->isEnabled());
    EXPECT_EQ(w->fields->edtUPower->text(), QLocale().toString(24.5, 'f', 2));
    EXPECT_EQ(w->fields->extras->cmbAInputBak2Type->currentIndex(), 0);
    EXPECT_FALSE(w->fields->extras->cmbAInputBak2Type->isEnabled());
    w->btnChange->click();
    EXPECT_EQ(scalar("SELECT DefaultAInputBak2Type FROM T_CarTypes WHERE TypeName = 'Первый'").toInt(), 0);

    w->grid()->selectRow(1);
    EXPECT_EQ(w->edtName->text(), "Второй");
    EXPECT_TRUE(w->fields->chkOnlyInMotion->isChecked());
    w->edtName->setText("Первый");
    w->btnChange->click();
    EXPECT_EQ(shown(), QStringList{});
    EXPECT_EQ(count("T_CarTypes", "TypeName = 'Первый'"), 2);
}

TEST_F(CarTypesWindowTest, DeleteRemovesTheSelectedTypeByItsKey)
{
    sql("INSERT INTO T_CarTypes (TypeName) VALUES ('Двойник')");
    sql("INSERT INTO T_CarTypes (TypeName) VALUES ('Двойник')");
    sql("INSERT INTO T_Cars (CarNumber, InUse, CarTypeRef) VALUES ('А1', 1, (SELECT MIN(UID) FROM T_CarTypes))");
    auto w = open();
    w->grid()->selectRow(1);
    const int second = w->edtUID->text().toInt();
    w->edtName->setText("Двойник (правка)");
    ui_.queueYes();
    w->btnDelete->click();
    EXPECT_EQ(ui_.texts(), QStringList{"Вы хотите удалить из базы данных?"});
    EXPECT_EQ(count("T_CarTypes"), 1);
    EXPECT_EQ(count("T_CarTypes", "UID = ?", {second}), 0);
    EXPECT_EQ(w->grid()->rowCount(), 1);
    // The car keeps its reference.
    EXPECT_FALSE(scalar("SELECT CarTypeRef FROM T_Cars").isNull());
}

TEST_F(CarTypesWindowTest, AFailedChangeKeepsTheRowAndTheWindowUsable)
{
    sql("INSERT INTO T_CarTypes (TypeName, DefaultTank1Volume) VALUES ('Старый', 40)");
    refuseUpdateWhen("T_CarTypes", "NEW.TypeName = 'Запрет'");
    auto w = open();
    w->edtName->setText("Запрет");
    w->fields->spnTank1->setValue(99);
    w->btnChange->click();
    EXPECT_EQ(shown(), QStringList{"E1206: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию"});
    EXPECT_EQ(scalar("SELECT DefaultTank1Volume FROM T_CarTypes WHERE TypeName = 'Старый'").toInt(), 40);
    create(*w, "Запрет");
    EXPECT_TRUE(shown().contains("E1202: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию"));
    EXPECT_EQ(count("T_CarTypes"), 1);
}

}  // namespace
