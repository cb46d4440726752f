#include "frm_car_types.h"

#include "core/interaction.h"
#include "core/ref_text.h"
#include "data.h"
#include "equipment_fields.h"
#include "extra_inputs_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace {

TRefWindow::Options TypesOptions()
{
    TRefWindow::Options o;
    o.caption = "Типы автомобилей";
    o.editorHeading = "Информация о выбранном типе автомобиля:";
    o.size = QSize(540, 477);
    o.minSize = QSize(540, 370);
    return o;
}

}  // namespace

TfrmCarTypes::TfrmCarTypes(TData& data, QWidget* parent)
    : TRefWindow(TypesOptions(), data.ui(), parent), store_(data)
{
    fields = new TEquipmentFields(TEquipmentFields::Kind::CarType, this);
    QWidget* editor = buildEditor();
    btnChange = new QPushButton("Изменить");
    btnDelete = new QPushButton("Удалить");
    connect(btnChange, &QPushButton::clicked, this, &TfrmCarTypes::change);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmCarTypes::remove);
    build(editor, {makeCreateButton(), btnChange, btnDelete});
    refresh();
}

QWidget* TfrmCarTypes::buildEditor()
{
    auto* editor = new QWidget;
    edtName = new QLineEdit;
    edtName->setMaxLength(32);
    edtUID = new QLineEdit;
    edtUID->setVisible(false);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Марка:"));
    top->addWidget(edtName, 1);
    top->addWidget(edtUID);
    pages = new QTabWidget;
    pages->addTab(fuelPage(), "Топливо");
    pages->addTab(speedPage(), "Скорость и путь");
    pages->addTab(enginePage(), "Работа двигателя");
    pages->addTab(fields->extras, "Доп. оборудование");
    pages->addTab(fields->memDescription, "Описание");
    auto* layout = new QVBoxLayout(editor);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(pages);
    return editor;
}

QWidget* TfrmCarTypes::fuelPage()
{
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    auto pair = [g](int row, int col, const QString& label, QWidget* field) {
        g->addWidget(new QLabel(label), row, col * 2);
        g->addWidget(field, row, col * 2 + 1);
    };
    pair(0, 0, "Расход на 100 км, л:", fields->edtGSM);
    pair(1, 0, "Критерий заправки, л:", fields->spnInc);
    pair(2, 0, "Критерий слива, л:", fields->spnDec);
    g->addWidget(fields->lblUPower, 3, 0);
    g->addWidget(fields->edtUPower, 3, 1);
    pair(0, 1, "Объем бака 1, л:", fields->spnTank1);
    pair(1, 1, "Объем бака 2, л:", fields->spnTank2);
    g->addWidget(new QLabel("Метод измерения уровня:"), 4, 0);
    g->addWidget(fields->cmbMethod, 4, 1, 1, 3);
    g->addWidget(fields->chkOnlyInMotion, 5, 0, 1, 2);
    g->addWidget(fields->chkUsePower, 5, 2, 1, 2);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setRowStretch(6, 1);
    return page;
}

QWidget* TfrmCarTypes::speedPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->addRow("Тип датчика спидометра:", fields->cmbSpeedType);
    form->addRow(fields->lblSpeedK, fields->edtSpeedK);
    return page;
}

QWidget* TfrmCarTypes::enginePage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->addRow("Тип тахометра:", fields->cmbTachType);
    form->addRow(fields->lblTachK, fields->edtTachK);
    QSpinBox* rpm[4] = {fields->spnMinRpm, fields->spnMaxRpm, fields->spnMaxIdleRpm, fields->spnBestRpm};
    for (int i = 0; i < 4; ++i) form->addRow(fields->lblRpm[i], rpm[i]);
    return page;
}

QList<TRefRow> TfrmCarTypes::rows(int)
{
    QList<TRefRow> out;
    for (const CarTypeListRow& t : store_.Types()) out.append({t.uid, {t.name, t.description}, {}, {}});
    return out;
}

int TfrmCarTypes::shownUid() const
{
    bool ok = false;
    const int uid = edtUID->text().toInt(&ok);
    return ok && uid >= 0 ? uid : -1;
}

void TfrmCarTypes::showKey(const QVariant& key)
{
    fields->reset();
    edtUID->setText("-1");
    edtName->clear();
    fields->memDescription->clear();
    if (key.isValid()) {
        edtUID->setText(QString::number(key.toInt()));
        edtName->setText(grid()->selectedText(0));
        if (const auto type = store_.Type(key.toInt())) {
            fields->load(type->equipment);
            fields->applyMethodRule();
            fields->chkUsePower->setChecked(type->equipment.usePowerForVolume);
        }
        btnChange->setEnabled(true);
        btnDelete->setEnabled(true);
    } else {
        grid()->forget();
        edtUID->clear();
        btnChange->setEnabled(false);
        btnDelete->setEnabled(false);
    }
    // The speed rule runs last, so "only in motion" shows whether a speed sensor is chosen.
    fields->applySpeedRule();
    fields->applyTachRule();
    fields->extras->applyAllRules();
}

void TfrmCarTypes::addModeChanged(bool on)
{
    btnChange->setEnabled(!on);
    btnDelete->setEnabled(!on);
}

void TfrmCarTypes::enterAddMode()
{
    edtName->clear();
    edtName->setFocus();
}

CarTypeValues TfrmCarTypes::values(bool creating) const
{
    const auto volts = reftext::Centivolts(fields->edtUPower->text());
    const int uPower = volts && (!creating || *volts > 0) ? *volts : 0;
    return CarTypeValues{shownUid(), edtName->text(), fields->values(uPower)};
}

void TfrmCarTypes::add()
{
    const QString name = edtName->text();
    if (name.isEmpty()) {
        ui_.error("E1201: Не задано название марки автомобиля: Информация не добавлена! Попробуйте повторить операцию");
        return;
    }
    switch (store_.CheckName(name)) {
    case TCarTypeRefStore::NameCheck::Taken:
        ui_.warning(QString("Тип автомобиля с названием \"%1\" уже есть в базе данных!").arg(name));
        edtName->setFocus();
        edtName->selectAll();
        return;
    case TCarTypeRefStore::NameCheck::Failed: ui_.error("E1208: Ошибка при контроле данных!"); return;
    case TCarTypeRefStore::NameCheck::Free: break;
    }
    const int uid = store_.Create(values(true));
    if (uid >= 0) {
        grid()->setRememberedKey(uid);
        setAddMode(false);
    }
    refresh();
}

void TfrmCarTypes::change()
{
    if (shownUid() < 0) return;
    store_.Change(values(false));
    setAddMode(false);
    refresh();
}

void TfrmCarTypes::remove()
{
    if (edtName->text().isEmpty() || !ui_.askYesNo("Вы хотите удалить из базы данных?")) return;
    // The selected type goes, by its key: names may repeat and the field may have been edited.
    if (shownUid() >= 0) store_.Delete(shownUid());
    grid()->forget();
    refresh();
}
