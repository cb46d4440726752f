#include "equipment_fields.h"

#include "core/interaction.h"
#include "core/ref_text.h"
#include "db/refdata/car_equipment.h"
#include "core/equipment_vocabulary.h"
#include "extra_inputs_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace {

QSpinBox* Spin(int min, int max, int step = 1)
{
    auto* s = new QSpinBox;
    s->setRange(min, max);
    s->setSingleStep(step);
    return s;
}

QComboBox* List(const QStringList& items)
{
    auto* c = new QComboBox;
    c->addItems(items);
    return c;
}

}  // namespace

TEquipmentFields::TEquipmentFields(Kind k, QObject* parent) : QObject(parent), kind(k)
{
    const bool car = kind == Kind::Car;
    edtGSM = new QLineEdit;
    spnTank1 = Spin(0, 1000000);
    spnTank2 = Spin(0, 1000000);
    spnInc = Spin(1, car ? 100 : 1000);
    spnDec = Spin(1, car ? 100 : 1000);
    edtUPower = new QLineEdit;
    lblUPower = new QLabel(car ? "Напряжение (В):" : "Напряжение сети, В:");
    cmbMethod = List(equipment::FuelMeasureMethods());
    chkUsePower = new QCheckBox(car ? "Учитывать напряжение питания" : "Учитывать напряжение");
    chkOnlyInMotion = new QCheckBox("Определять только в движении");
    cmbSpeedType = List(equipment::SpeedTypes());
    edtSpeedK = new QLineEdit;
    lblSpeedK = new QLabel("Коэф. пересчета (имп./км):");
    cmbTachType = List(car ? equipment::TachTypes() : equipment::SpeedTypes());
    edtTachK = new QLineEdit;
    lblTachK = new QLabel("Коэф. пересчета (имп./об.):");
    spnMinRpm = Spin(300, 10000, 100);
    spnMaxRpm = Spin(car ? 1000 : 500, 10000, 100);
    spnMaxIdleRpm = Spin(500, 10000, 100);
    spnBestRpm = Spin(500, 10000, 100);
    const QStringList rpmCaptions =
        car ? QStringList{"Мин. об./мин:", "Макс. об./мин:", "Макс. об. ХХ/мин:", "Опт. об./мин:"}
            : QStringList{"Мин. обороты двиг. (об./мин):", "Макс. обороты двиг. (об./мин):",
                          "Макс. обороты ХХ (об./мин):", "Оптим. обороты двиг. (об./мин):"};
    for (int i = 0; i < 4; ++i) lblRpm[i] = new QLabel(rpmCaptions[i]);
    memDescription = new QPlainTextEdit;
    extras = new TExtraInputsPages(car);

    connect(cmbSpeedType, &QComboBox::currentIndexChanged, this, &TEquipmentFields::applySpeedRule);
    connect(cmbTachType, &QComboBox::currentIndexChanged, this, &TEquipmentFields::applyTachRule);
    connect(cmbMethod, &QComboBox::currentIndexChanged, this, &TEquipmentFields::applyMethodRule);
    reset();
}

void TEquipmentFields::reset()
{
    CarEquipment e;
    e.gsm = 0;
    e.uPower = 1200;
    e.maxRpm = spnMaxRpm->minimum();
    load(e);
    edtGSM->setText(kind == Kind::Car ? "0" : "");
    edtUPower->setText(reftext::FormatFixed(12.0, 1));
    edtSpeedK->setText("0");
    edtTachK->setText("0");
    chkUsePower->setChecked(false);
    chkOnlyInMotion->setChecked(false);
    extras->chkUsePowerForTemp->setChecked(false);
    extras->resetSensorGrid();
    applySpeedRule();
    applyTachRule();
    extras->applyAllRules();
    chkOnlyInMotion->setChecked(false);
}

void TEquipmentFields::load(const CarEquipment& e)
{
    edtGSM->setText(reftext::FormatPlain(e.gsm));
    spnTank1->setValue(e.tank1Vol);
    spnTank2->setValue(e.tank2Vol);
    spnMinRpm->setValue(e.minRpm);
    spnMaxRpm->setValue(e.maxRpm);
    spnMaxIdleRpm->setValue(e.maxIdleRpm);
    spnBestRpm->setValue(e.bestRpm);
    memDescription->setPlainText(e.description);
    edtUPower->setText(reftext::FormatFixed(e.uPower / 100.0, 2));
    spnInc->setValue(e.incCriterion);
    spnDec->setValue(e.decCriterion);
    edtSpeedK->setText(reftext::FormatFixed(e.speedK, 1));
    edtTachK->setText(reftext::FormatFixed(e.tachK, 1));
    cmbSpeedType->setCurrentIndex(qBound(0, e.speedType, 2));
    cmbTachType->setCurrentIndex(qBound(0, e.tachType, 2));
    cmbMethod->setCurrentIndex(qBound(0, e.fuelMeasureType & equipment::kFuelMethodMask, 1));
    chkUsePower->setChecked(e.usePowerForVolume);
    chkOnlyInMotion->setChecked((e.fuelMeasureType & equipment::kFuelOnlyInMotion) != 0);
    extras->load(e);
}

CarEquipment TEquipmentFields::values(int uPower) const
{
    CarEquipment e;
    e.gsm = reftext::DecimalOrZero(edtGSM->text());
    e.tank1Vol = spnTank1->value();
    e.tank2Vol = spnTank2->value();
    e.minRpm = spnMinRpm->value();
    e.maxRpm = spnMaxRpm->value();
    e.maxIdleRpm = spnMaxIdleRpm->value();
    e.bestRpm = spnBestRpm->value();
    e.description = memDescription->toPlainText();
    e.usePowerForVolume = chkUsePower->isChecked();
    e.uPower = uPower;
    e.incCriterion = spnInc->value();
    e.decCriterion = spnDec->value();
    e.speedType = cmbSpeedType->currentIndex();
    e.speedK = e.speedType == 0 && kind == Kind::Car ? 0 : reftext::DecimalOrZero(edtSpeedK->text());
    e.tachType = cmbTachType->currentIndex();
    e.tachK = e.tachType == 0 && kind == Kind::Car ? 0 : reftext::DecimalOrZero(edtTachK->text());
    e.fuelMeasureType = cmbMethod->currentIndex() + (chkOnlyInMotion->isChecked() ? equipment::kFuelOnlyInMotion : 0);
    extras->store(e);
    return e;
}

void TEquipmentFields::warnAboutFactors(Interaction& ui) const
{
    const auto factorMissing = [](const QComboBox* type, const QLineEdit* factor) {
        if (type->currentIndex() == 0) return false;
        const auto v = reftext::Decimal(factor->text());
        return !v || *v <= 0;
    };
    if (factorMissing(cmbSpeedType, edtSpeedK))
        ui.warning("Внимание! Вы выбрали датчик скорости,\r\nно не установили или не корректно установили "
                   "коэффициент пересчета скорости.\r\nДанные скорости регистрироваться не будут.");
    if (factorMissing(cmbTachType, edtTachK))
        ui.warning("Внимание! Вы выбрали датчик оборотов двигателя,\r\nно не установили или не корректно "
                   "установили коэффициент пересчета оборотов.\r\nДанные оборотов двигателя регистрироваться не будут.");
}

void TEquipmentFields::applySpeedRule()
{
    const bool on = cmbSpeedType->currentIndex() > 0;
    edtSpeedK->setEnabled(on);
    chkOnlyInMotion->setEnabled(on);
    chkOnlyInMotion->setChecked(on);
    if (kind == Kind::CarType) lblSpeedK->setEnabled(on);
}

void TEquipmentFields::applyTachRule()
{
    const bool on = cmbTachType->currentIndex() > 0;
    for (QWidget* w : {static_cast<QWidget*>(edtTachK), static_cast<QWidget*>(spnMinRpm),
                       static_cast<QWidget*>(spnMaxRpm), static_cast<QWidget*>(spnMaxIdleRpm),
                       static_cast<QWidget*>(spnBestRpm)})
        w->setEnabled(on);
    if (kind == Kind::CarType) {
        lblTachK->setEnabled(on);
        for (QLabel* l : lblRpm) l->setEnabled(on);
    }
}

void TEquipmentFields::applyMethodRule()
{
    const bool voltage = cmbMethod->currentIndex() == 0;
    chkUsePower->setChecked(voltage);
    chkUsePower->setEnabled(voltage);
    if (voltage && kind == Kind::Car) lblUPower->setEnabled(true);
}
