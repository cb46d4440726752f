// The cars window on a real database: create, change and delete with their messages, the recorder
// binding, the type defaults, the conversions and a change the server refuses.
#include "refdata/equipment_fields.h"
#include "refdata/extra_inputs_pages.h"
#include "refdata/frm_cars.h"
#include "ref_db_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

namespace {

class CarsWindowTest : public RefDbTest {
protected:
    void addRecorder(const QString& serial, const QString& car = {}, int calibrated = 0)
    {
        sql("INSERT INTO T_Registrators (RegSerNum, HWVersion, SWVersion, CarNumber, Calibrated) VALUES (?, 100, 100, ?, ?)",
            {serial, car, calibrated});
    }
    void addCar(const QString& number, int inUse = 1)
    {
        sql("INSERT INTO T_Cars (CarNumber, InUse, CarUPower, CarFuelMeasureType) VALUES (?, ?, 1200, 1)", {number, inUse});
    }
    std::unique_ptr<TfrmCars> open()
    {
        auto w = std::make_unique<TfrmCars>(*data_);
        ui_.clear();
        return w;
    }
    // "Создать" (unless a failed entry left the window in add mode), the fields of a minimal valid
    // car, then "Добавить".
    void create(TfrmCars& w, const QString& number, const QString& recorder = {})
    {
        if (!w.addMode()) w.btnCreate->click();
        w.edtNumber->setText(number);
        w.spnRObr->setValue(100);
        w.cmbRecorder->setEditText(recorder);
        w.btnCreate->click();
    }
    QVariant carValue(const QString& column, const QString& number)
    {
        return scalar("SELECT " + column + " FROM T_Cars WHERE CarNumber = ?", {number});
    }
    QVariant recorderValue(const QString& column, const QString& serial)
    {
        return scalar("SELECT " + column + " FROM T_Registrators WHERE RegSerNum = ?", {serial});
    }
};

TEST_F(CarsWindowTest, CreateStoresUpperCaseCutNumberRoundedVoltageAndBindsRecorder)
{
    const QString rec = Serial(0x1234);
    addRecorder(rec, {}, 1);
    auto w = open();
    w->btnCreate->click();
    EXPECT_EQ(w->btnCreate->text(), "Добавить");
    EXPECT_FALSE(w->btnChange->isEnabled());
    EXPECT_TRUE(w->chkInUse->isChecked());
    w->edtNumber->setText("а123вс77rus");
    w->fields->edtUPower->setText("16,3");
    w->fields->memDescription->setPlainText("Кузов \"фургон\"\nвторая строка");
    w->cmbRecorder->setEditText(rec.toLower());
    w->btnCreate->click();

    EXPECT_EQ(shown(), QStringList{"Не указано значение образцового сопротивления!Будет использовано значение 10 Ом."});
    EXPECT_EQ(w->edtNumber->text(), "А123ВС77");
    EXPECT_EQ(carValue("CarUPower", "А123ВС77").toInt(), 1630);
    EXPECT_EQ(carValue("CarFuelMeasureRObr", "А123ВС77").toInt(), 10);
    EXPECT_EQ(carValue("CarDescLong", "А123ВС77").toString(), "Кузов \"фургон\"\nвторая строка");
    EXPECT_EQ(recorderValue("CarNumber", rec).toString(), "А123ВС77");
    EXPECT_EQ(recorderValue("Calibrated", rec).toInt(), 0);
    // The new car is selected and shown again as stored.
    EXPECT_EQ(w->btnCreate->text(), "Создать");
    EXPECT_EQ(w->grid()->selectedText(0), "А123ВС77");
    EXPECT_EQ(w->grid()->selectedText(3), " Кузов \"фургон\" вторая строка");
    EXPECT_EQ(w->fields->edtUPower->text(), QLocale().toString(16.30, 'f', 2));
    EXPECT_EQ(w->cmbRecorder->currentText(), rec);
}

TEST_F(CarsWindowTest, CreateRefusalsWriteNothing)
{
    addCar("А001АА");
    const QString bound = Serial(0x77);
    addRecorder(bound, "А001АА");
    struct Case {
        QString number, recorder, voltage, message;
    } cases[] = {
        {"", "", "12", "E1101: Не задан номер автомобиля: Информация не добавлена!"},
        {"а001аа", "", "12", "Автомобиль гос.номер \"А001АА\" уже есть в базе данных!"},
        {"В002ВВ", "1.02.0304.E-0000012.2", "12", "E1102: Указан неверный серийный номер регистратора: Информация не добавлена!"},
        {"В002ВВ", bound, "12", "E1103: Указанный регистратор привязан к другому (А001АА) автомобилю!: Информация не добавлена!"},
        {"В002ВВ", "", "0", "E1127: Не указано номинальное бортовое напряжение питания!Информация не добавлена!"},
        {"В002ВВ", "", "12 В", "E1127: Не указано номинальное бортовое напряжение питания!Информация не добавлена!"},
        {"В002ВВ", "", "0,004", "E1127: Не указано номинальное бортовое напряжение питания!Информация не добавлена!"},
        {"В002ВВ", "", "-12", "E1127: Не указано номинальное бортовое напряжение питания!Информация не добавлена!"},
    };
    auto w = open();
    for (const Case& c : cases) {
        ui_.clear();
        w->btnCreate->click();
        w->edtNumber->setText(c.number);
        w->spnRObr->setValue(100);
        w->fields->edtUPower->setText(c.voltage);
        w->cmbRecorder->setEditText(c.recorder);
        w->btnCreate->click();
        EXPECT_EQ(shown(), QStringList{c.message}) << c.number.toStdString() << " " << c.voltage.toStdString();
        EXPECT_EQ(count("T_Cars"), 1);
        EXPECT_EQ(w->btnCreate->text(), "Добавить");  // still in add mode, the entry can be mended
        w->ShowCar("А001АА");
    }
    EXPECT_EQ(recorderValue("CarNumber", bound).toString(), "А001АА");
}

TEST_F(CarsWindowTest, FactorWarningsDoNotStopTheSave)
{
    auto w = open();
    w->btnCreate->click();
    w->edtNumber->setText("С100СС");
    w->spnRObr->setValue(0);
    w->fields->cmbSpeedType->setCurrentIndex(1);
    w->fields->edtSpeedK->setText("abc");
    w->fields->cmbTachType->setCurrentIndex(2);
    w->fields->edtTachK->setText("2,5");
    w->fields->edtGSM->setText("нет");
    w->btnCreate->click();
    EXPECT_EQ(ui_.textsOf("warning"),
              (QStringList{"Не указано значение образцового сопротивления!Будет использовано значение 10 Ом.",
                           "Внимание! Вы выбрали датчик скорости,\r\nно не установили или не корректно установили "
                           "коэффициент пересчета скорости.\r\nДанные скорости регистрироваться не будут."}));
    EXPECT_EQ(carValue("CarSpeedK", "С100СС").toDouble(), 0.0);
    EXPECT_EQ(carValue("CarTachK", "С100СС").toDouble(), 2.5);
    EXPECT_EQ(carValue("CarGSM", "С100СС").toDouble(), 0.0);
    EXPECT_EQ(carValue("CarSpeedType", "С100СС").toInt(), 1);
    // Speed sensor chosen: "only in motion" was checked by the rule and is stored in bit 7.
    EXPECT_EQ(carValue("CarFuelMeasureType", "С100СС").toInt(), 129);
}

TEST_F(CarsWindowTest, ChangeMovesTheRecorderBindingInOneStep)
{
    const QString a = Serial(0xA), b = Serial(0xB);
    addCar("М100ММ");
    addRecorder(a, "М100ММ", 1);
    addRecorder(b);
    auto w = open();
    EXPECT_EQ(w->cmbRecorder->currentText(), a);
    EXPECT_EQ(w->lblGradState->text(), "Градуировка выполнена");

    w->cmbRecorder->setEditText(b);
    EXPECT_EQ(w->lblGradState->text(), "Нет данных градуировки");
    w->dteInstall->setDate(QDate(2024, 3, 5));
    w->spnRObr->setValue(5);
    w->btnChange->click();
    EXPECT_EQ(shown(), QStringList{});
    EXPECT_EQ(recorderValue("CarNumber", a).toString(), "");
    EXPECT_EQ(recorderValue("Calibrated", a).toInt(), 0);
    EXPECT_EQ(recorderValue("CarNumber", b).toString(), "М100ММ");
    EXPECT_EQ(recorderValue("InstallDate", b).toDateTime().date(), QDate(2024, 3, 5));
    // A is free again and offered among the free recorders.
    EXPECT_GE(w->cmbRecorder->findText(a), 1);

    // The empty item only frees the current recorder.
    w->cmbRecorder->setCurrentIndex(0);
    w->btnChange->click();
    EXPECT_EQ(recorderValue("CarNumber", b).toString(), "");
    EXPECT_EQ(count("T_Registrators", "CarNumber = ?", {"М100ММ"}), 0);
}

TEST_F(CarsWindowTest, ChangeRefusals)
{
    const QString other = Serial(0xC0);
    addCar("Е200ЕЕ");
    addCar("К300КК");
    addRecorder(other, "К300КК");
    auto w = open();
    struct Case {
        QString number, recorder, voltage, message;
    } cases[] = {
        {"", "", "12", "E1109: Не задан номер автомобиля: Информация не изменена!"},
        {"Е200ЕЕ", "9.99.9999.9-9999999.9", "12", "E1110: Указан неверный серийный номер регистратора: Информация не добавлена!"},
        {"Е200ЕЕ", Serial(0xFFF), "12", "E1112: Указанного регистратора нет в базе данных!: Информация не добавлена! "
                                        "Сначала внесите регистратор в базу данных"},
        {"Е200ЕЕ", other, "12", "E1111: Указанный регистратор привязан к другому (К300КК) автомобилю!: Информация не добавлена!"},
        {"Е200ЕЕ", "", "", "E1128: Не указано номинальное бортовое напряжение питания!Информация не добавлена!"},
        // The number typed over names no car: nothing is written, no recorder is bound.
        {"Х999ХХ", "", "12", "E1126: Указанный автомобиль не найден в базе данных!"},
    };
    for (const Case& c : cases) {
        w->ShowCar("Е200ЕЕ");
        ui_.clear();
        w->edtNumber->setText(c.number);
        w->spnRObr->setValue(5);
        w->fields->edtUPower->setText(c.voltage);
        w->cmbRecorder->setEditText(c.recorder);
        w->btnChange->click();
        EXPECT_EQ(shown(), QStringList{c.message}) << c.number.toStdString();
    }
    EXPECT_EQ(count("T_Cars"), 2);
    EXPECT_EQ(carValue("CarFuelMeasureRObr", "Е200ЕЕ").toInt(), 0);
    EXPECT_EQ(recorderValue("CarNumber", other).toString(), "К300КК");
}

TEST_F(CarsWindowTest, DeleteAsksThenFreesTheRecorderKeepingItsCalibration)
{
    const QString rec = Serial(0xD);
    addCar("Т400ТТ");
    addRecorder(rec, "Т400ТТ", 1);
    auto w = open();
    ui_.queueNo();
    w->btnDelete->click();
    EXPECT_EQ(ui_.texts(), QStringList{"Вы хотите удалить автомобиль Т400ТТ из базы данных?"});
    EXPECT_EQ(count("T_Cars"), 1);
    ui_.queueYes();
    w->btnDelete->click();
    EXPECT_EQ(count("T_Cars"), 0);
    EXPECT_EQ(recorderValue("CarNumber", rec).toString(), "");
    EXPECT_EQ(recorderValue("Calibrated", rec).toInt(), 1);
    EXPECT_EQ(w->grid()->rowCount(), 0);
    EXPECT_FALSE(w->btnDelete->isEnabled());
}

TEST_F(CarsWindowTest, ChoosingATypeCopiesItsDefaultsAndAppliesTheRules)
{
    sql("INSERT INTO T_CarTypes (TypeName, DefaultTank1Volume, DefaultTank2Volume, DefaultTypGSM, DefaultUPower, "
        "DefaultSpeedType, DefaultSpeedK, DefaultTachType, DefaultFuelMeasureType, DefaultUsePowerForVolume, "
        "DefaultIncCriterion, DefaultMinRPM, DefaultMaxRPM, DefaultMaxIdleRPM, DefaultBestRPM, DefaultDInput3Type, "
        "DefaultDInput3Descr, DefaultAInput6Type) "
        "VALUES ('КамАЗ', 350, 0, 32.5, 2400, 2, 3600, 0, 0, 0, 7, 600, 2600, 900, 1500, 1, 'Насос', 0)");
    addCar("У500УУ");
    auto w = open();
    w->spnRObr->setValue(47);
    w->cmbType->setEditText("КамАЗ");
    EXPECT_EQ(w->fields->spnTank1->value(), 350);
    EXPECT_EQ(w->fields->edtGSM->text(), QLocale().toString(32.5, 'f', 1));
    EXPECT_EQ(w->fields->edtUPower->text(), QLocale().toString(24.0, 'f', 1));
    EXPECT_EQ(w->fields->cmbSpeedType->currentIndex(), 2);
    EXPECT_EQ(w->fields->spnInc->value(), 7);
    EXPECT_EQ(w->fields->spnMaxRpm->value(), 2600);
    EXPECT_EQ(w->spnRObr->value(), 47);  // the type has no reference resistor
    // Rules after the copy: the speed sensor checks "only in motion", the voltage method checks the
    // supply voltage box, engine speed "Нет" disables the rpm fields, input 3 is enabled.
    EXPECT_TRUE(w->fields->chkOnlyInMotion->isChecked());
    EXPECT_TRUE(w->fields->chkUsePower->isChecked());
    EXPECT_FALSE(w->fields->spnMinRpm->isEnabled());
    EXPECT_TRUE(w->fields->extras->counting[0].edtDescr->isEnabled());
    EXPECT_EQ(w->fields->extras->counting[0].edtDescr->text(), "Насос");
    EXPECT_FALSE(w->fields->extras->edtAInput6Descr->isEnabled());

    w->btnChange->click();
    EXPECT_EQ(carValue("CarTypeRef", "У500УУ"), scalar("SELECT UID FROM T_CarTypes"));
    EXPECT_EQ(w->grid()->selectedText(2), "КамАЗ");
}

TEST_F(CarsWindowTest, ReloadShowsTheStoredMotionBitAndForcesTheSecondMainInputWithTwoTanks)
{
    sql("INSERT INTO T_Cars (CarNumber, InUse, CarUPower, CarSpeedType, CarFuelMeasureType, CarTank2Vol, "
        "AInputBak2Type, AInputBak2Descr) VALUES ('Н600НН', 0, 1260, 0, 129, 80, 1, 'датчик')");
    auto w = open();
    EXPECT_TRUE(w->fields->chkOnlyInMotion->isChecked());
    EXPECT_FALSE(w->fields->chkOnlyInMotion->isEnabled());
    EXPECT_EQ(w->fields->cmbMethod->currentIndex(), 1);
    EXPECT_EQ(w->fields->edtUPower->text(), QLocale().toString(12.60, 'f', 2));
    EXPECT_EQ(w->fields->extras->cmbAInputBak2Type->currentIndex(), 0);
    EXPECT_FALSE(w->fields->extras->cmbAInputBak2Type->isEnabled());
    EXPECT_FALSE(w->chkInUse->isChecked());
    EXPECT_EQ(w->grid()->item(0, 0)->background().color(), QColor(255, 237, 234));
    w->spnRObr->setValue(5);
    w->btnChange->click();
    EXPECT_EQ(carValue("AInputBak2Type", "Н600НН").toInt(), 0);
    EXPECT_EQ(carValue("CarFuelMeasureType", "Н600НН").toInt(), 129);
}

TEST_F(CarsWindowTest, SortingKeepsTheSelectedCar)
{
    addCar("А111АА", 1);
    addCar("Б222ББ", 0);
    addCar("В333ВВ", 1);
    auto w = open();
    EXPECT_EQ(w->grid()->selectedText(0), "А111АА");
    w->ShowCar("В333ВВ");
    EXPECT_EQ(w->edtNumber->text(), "В333ВВ");
    w->grid()->sortBy(1);
    EXPECT_EQ(w->grid()->item(0, 0)->text(), "Б222ББ");
    EXPECT_EQ(w->grid()->selectedText(0), "В333ВВ");
    EXPECT_EQ(w->grid()->item(0, 0)->background().color(), QColor(255, 237, 234));
    EXPECT_EQ(w->grid()->item(1, 0)->background().color(), QColor(238, 255, 234));
    w->btnRefresh->click();
    EXPECT_EQ(w->edtNumber->text(), "В333ВВ");
}

TEST_F(CarsWindowTest, AFailedStatementOrCommitLeavesTheTablesAsTheyWere)
{
    const QString rec = Serial(0xE);
    addRecorder(rec);
    refuseUpdateWhen("T_Registrators", "NEW.CarNumber = 'Р700РР'");
    refuseCommitWhen("T_Cars", "CarNumber = 'О800ОО'");
    auto w = open();
    create(*w, "Р700РР", rec);
    EXPECT_TRUE(shown().contains("E1104: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию"));
    create(*w, "О800ОО");
    EXPECT_TRUE(shown().contains("E1105: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию"));
    EXPECT_EQ(count("T_Cars"), 0);
    EXPECT_EQ(recorderValue("CarNumber", rec).toString(), "");
    // The window stays usable.
    create(*w, "Р701РР", rec);
    EXPECT_EQ(count("T_Cars"), 1);
}

}  // namespace
