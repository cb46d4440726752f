#include "extra_inputs_pages.h"

#include "core/ref_text.h"
#include "db/refdata/car_equipment.h"
#include "core/equipment_vocabulary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kDescrLength = 50;

QComboBox* List(const QStringList& items)
{
    auto* c = new QComboBox;
    c->addItems(items);
    return c;
}

QLineEdit* Descr()
{
    auto* e = new QLineEdit;
    e->setMaxLength(kDescrLength);
    return e;
}

}  // namespace

TExtraInputsPages::TExtraInputsPages(bool forCars, QWidget* parent) : QTabWidget(parent), forCars_(forCars)
{
    addTab(secondMainPage(), "2-й основн. измер. вход");
    addTab(secondAdditionalPage(), "2-й допол. измер. вход");
    addTab(countingPage(counting[0]), "3-й счетный вход");
    addTab(countingPage(counting[1]), "4-й счетный вход");
    connect(cmbAInputBak2Type, &QComboBox::currentIndexChanged, this, &TExtraInputsPages::applySecondMainRule);
    connect(cmbAInput6Type, &QComboBox::currentIndexChanged, this, &TExtraInputsPages::applySecondAdditionalRule);
    for (int i = 0; i < 2; ++i)
        connect(counting[i].cmbType, &QComboBox::currentIndexChanged, this, [this, i] { applyCountingRule(3 + i); });
    resetSensorGrid();
    applyAllRules();
}

QWidget* TExtraInputsPages::secondMainPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    cmbAInputBak2Type = List(equipment::AInputBak2Types());
    edtAInputBak2Descr = Descr();
    lblAInputBak2Descr = new QLabel("Описание:");
    lblSensor = new QLabel("Датчик:");
    grdSensor = new QTableWidget(4, 2);
    grdSensor->setHorizontalHeaderLabels({"Параметр", "Значение"});
    grdSensor->verticalHeader()->setVisible(false);
    grdSensor->horizontalHeader()->setStretchLastSection(true);
    grdSensor->verticalHeader()->setDefaultSectionSize(grdSensor->fontMetrics().height() + 4);
    grdSensor->setColumnWidth(0, 140);
    const QStringList captions = equipment::TempSensorParamCaptions();
    for (int r = 0; r < 4; ++r) {
        auto* caption = new QTableWidgetItem(captions[r]);
        caption->setFlags(Qt::ItemIsEnabled);
        grdSensor->setItem(r, 0, caption);
    }
    grdSensor->setMinimumHeight(4 * (grdSensor->fontMetrics().height() + 4) + grdSensor->horizontalHeader()->sizeHint().height() + 4);
    form->addRow("Тип:", cmbAInputBak2Type);
    form->addRow(lblAInputBak2Descr, edtAInputBak2Descr);
    form->addRow(lblSensor, grdSensor);
    return page;
}

QWidget* TExtraInputsPages::secondAdditionalPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    cmbAInput6Type = List(equipment::AInput6Types());
    edtAInput6Descr = Descr();
    lblAInput6Descr = new QLabel("Описание:");
    chkUsePowerForTemp = new QCheckBox("Учитывать напряжение питания");
    form->addRow("Тип:", cmbAInput6Type);
    form->addRow(lblAInput6Descr, edtAInput6Descr);
    if (forCars_) {
        lblTempGradState = new QLabel("Градуировка не задана");
        btnTempGrad = new QPushButton("Задать/Показать градуировку");
        auto* row = new QHBoxLayout;
        row->addWidget(lblTempGradState);
        row->addStretch();
        row->addWidget(btnTempGrad);
        form->addRow(row);
    }
    form->addRow(chkUsePowerForTemp);
    return page;
}

QWidget* TExtraInputsPages::countingPage(Counting& c)
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    c.cmbType = List(equipment::DInputTypes());
    c.edtDescr = Descr();
    c.cmbLevel = List(equipment::DInputLevels());
    c.edtParam = new QLineEdit;
    auto* lblDescr = new QLabel("Описание:");
    auto* lblLevel = new QLabel("Уровень напряжения:");
    auto* lblParam = new QLabel("Коэффициент:");
    form->addRow("Тип:", c.cmbType);
    form->addRow(lblDescr, c.edtDescr);
    form->addRow(lblLevel, c.cmbLevel);
    form->addRow(lblParam, c.edtParam);
    c.dependents = {c.edtDescr, c.cmbLevel, c.edtParam, lblDescr, lblLevel, lblParam};
    return page;
}

void TExtraInputsPages::resetSensorGrid()
{
    for (int r = 0; r < 4; ++r) grdSensor->setItem(r, 1, new QTableWidgetItem(reftext::FormatFixed(0, 2)));
}

void TExtraInputsPages::load(const CarEquipment& e)
{
    const bool secondTank = e.tank2Vol != 0;
    cmbAInputBak2Type->setCurrentIndex(e.tank2Vol < 1 ? qBound(0, e.aInputBak2Type, 1) : 0);
    cmbAInputBak2Type->setEnabled(!secondTank);
    edtAInputBak2Descr->setEnabled(!secondTank);
    edtAInputBak2Descr->setText(e.aInputBak2Descr);
    const double sensor[4] = {e.aInputBak2R0, e.aInputBak2T0, e.aInputBak2Param, e.aInputBak2RObr};
    for (int r = 0; r < 4; ++r) grdSensor->setItem(r, 1, new QTableWidgetItem(reftext::FormatFixed(sensor[r], 2)));
    cmbAInput6Type->setCurrentIndex(qBound(0, e.aInput6Type, 1));
    edtAInput6Descr->setText(e.aInput6Descr);
    chkUsePowerForTemp->setChecked(e.usePowerForTemp);
    const int types[2] = {e.dInput3Type, e.dInput4Type};
    const QString descr[2] = {e.dInput3Descr, e.dInput4Descr};
    const int levels[2] = {e.dInput3Level, e.dInput4Level};
    const double params[2] = {e.dInput3Param, e.dInput4Param};
    for (int i = 0; i < 2; ++i) {
        counting[i].cmbType->setCurrentIndex(qBound(0, types[i], 2));
        counting[i].edtDescr->setText(descr[i]);
        counting[i].cmbLevel->setCurrentIndex(qBound(0, levels[i], 1));
        counting[i].edtParam->setText(reftext::FormatPlain(params[i]));
    }
}

void TExtraInputsPages::store(CarEquipment& e) const
{
    e.aInputBak2Type = e.tank2Vol > 0 ? 0 : cmbAInputBak2Type->currentIndex();
    e.aInputBak2Descr = edtAInputBak2Descr->text();
    double* sensor[4] = {&e.aInputBak2R0, &e.aInputBak2T0, &e.aInputBak2Param, &e.aInputBak2RObr};
    for (int r = 0; r < 4; ++r) {
        const QTableWidgetItem* it = grdSensor->item(r, 1);
        *sensor[r] = reftext::DecimalOrZero(it ? it->text() : QString());
    }
    e.aInput6Type = cmbAInput6Type->currentIndex();
    e.aInput6Descr = edtAInput6Descr->text();
    e.usePowerForTemp = chkUsePowerForTemp->isChecked();
    e.dInput3Type = counting[0].cmbType->currentIndex();
    e.dInput3Descr = counting[0].edtDescr->text();
    e.dInput3Level = counting[0].cmbLevel->currentIndex();
    e.dInput3Param = reftext::DecimalOrZero(counting[0].edtParam->text());
    e.dInput4Type = counting[1].cmbType->currentIndex();
    e.dInput4Descr = counting[1].edtDescr->text();
    e.dInput4Level = counting[1].cmbLevel->currentIndex();
    e.dInput4Param = reftext::DecimalOrZero(counting[1].edtParam->text());
}

void TExtraInputsPages::applySecondMainRule()
{
    const bool sensor = cmbAInputBak2Type->currentIndex() == 1;
    grdSensor->setVisible(sensor);
    lblSensor->setVisible(sensor);
    if (forCars_) {
        edtAInputBak2Descr->setVisible(sensor);
        lblAInputBak2Descr->setVisible(sensor);
    }
}

void TExtraInputsPages::applySecondAdditionalRule()
{
    const bool on = cmbAInput6Type->currentIndex() > 0;
    for (QWidget* w : {static_cast<QWidget*>(edtAInput6Descr), static_cast<QWidget*>(lblAInput6Descr),
                       static_cast<QWidget*>(chkUsePowerForTemp), static_cast<QWidget*>(lblTempGradState),
                       static_cast<QWidget*>(btnTempGrad)})
        if (w) w->setEnabled(on);
    if (btnTempGrad) btnTempGrad->setEnabled(on && tempGradAvailable);
}

void TExtraInputsPages::applyCountingRule(int input)
{
    Counting& c = counting[input - 3];
    const bool on = c.cmbType->currentIndex() > 0;
    for (QWidget* w : c.dependents) w->setEnabled(on);
}

void TExtraInputsPages::applyAllRules()
{
    applySecondMainRule();
    applySecondAdditionalRule();
    applyCountingRule(3);
    applyCountingRule(4);
}
