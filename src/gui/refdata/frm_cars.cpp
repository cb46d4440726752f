#include "frm_cars.h"

#include "core/interaction.h"
#include "data.h"
#include "core/ref_text.h"
#include "equipment_fields.h"
#include "extra_inputs_pages.h"
#include "serial_field.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>

namespace {

const QColor kInUse(238, 255, 234);
const QColor kNotInUse(255, 237, 234);
const QColor kDarkRed(128, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QDate kNoDate(1900, 1, 1);
constexpr int kNumberLength = 8;

TRefWindow::Options CarsOptions()
{
    TRefWindow::Options o;
    o.caption = "Автомобили";
    o.editorHeading = "Информация о выбранном автомобиле:";
    o.size = QSize(566, 420);
    o.minSize = QSize(566, 395);
    return o;
}

QString ShortDate(const QDate& d) { return d.isValid() ? d.toString("dd.MM.yy") : QString(); }

}  // namespace

TfrmCars::TfrmCars(TData& data, QWidget* parent)
    : TRefWindow(CarsOptions(), data.ui(), parent), store_(data), types_(data)
{
    fields = new TEquipmentFields(TEquipmentFields::Kind::Car, this);
    QWidget* editor = buildEditor();
    btnToFile = new QPushButton("В файл...");
    btnFromFile = new QPushButton("Из файла...");
    btnToFile->setEnabled(false);
    btnFromFile->setEnabled(false);
    btnChange = new QPushButton("Изменить");
    btnDelete = new QPushButton("Удалить");
    connect(btnChange, &QPushButton::clicked, this, &TfrmCars::change);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmCars::remove);
    build(editor, {btnToFile, btnFromFile, makeCreateButton(), btnChange, btnDelete});
    refresh();
}

QWidget* TfrmCars::buildEditor()
{
    auto* editor = new QWidget;
    edtNumber = new QLineEdit;
    cmbType = new QComboBox;
    cmbType->setEditable(true);
    cmbType->setInsertPolicy(QComboBox::NoInsert);
    cmbType->setMinimumContentsLength(14);
    chkInUse = new QCheckBox("Используется");
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Госномер:"));
    top->addWidget(edtNumber);
    top->addWidget(new QLabel("Тип автомобиля:"));
    top->addWidget(cmbType, 1);
    top->addWidget(chkInUse);

    pages = new QTabWidget;
    pages->addTab(characteristicsPage(), "Характеристика");
    pages->addTab(equipmentPage(), "Оборудование");
    pages->addTab(fields->extras, "Доп.оборудование");
    pages->addTab(recorderPage(), "Регистратор");
    pages->addTab(calibrationPage(), "Градуировка");
    pages->addTab(fields->memDescription, "Описание");

    auto* layout = new QVBoxLayout(editor);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(pages);

    connect(cmbType, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!loading_) onTypeChosen(t);
    });
    connect(cmbRecorder, &QComboBox::editTextChanged, this, [this] {
        if (!loading_) onRecorderEdited();
    });
    return editor;
}

QWidget* TfrmCars::characteristicsPage()
{
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    spnRObr = new QSpinBox;
    spnRObr->setRange(0, 1000000);
    auto pair = [g](int row, int col, QWidget* label, QWidget* field) {
        g->addWidget(label, row, col * 2);
        g->addWidget(field, row, col * 2 + 1);
    };
    pair(0, 0, new QLabel("Объем бака 1 (л):"), fields->spnTank1);
    pair(1, 0, new QLabel("Объем бака 2 (л):"), fields->spnTank2);
    pair(2, 0, new QLabel("Критер. заправ. (л):"), fields->spnInc);
    pair(3, 0, new QLabel("Критер. слива (л):"), fields->spnDec);
    pair(0, 1, new QLabel("Расход (л/100км):"), fields->edtGSM);
    pair(1, 1, fields->lblUPower, fields->edtUPower);
    pair(2, 1, new QLabel("Образц. сопр. (Ом):"), spnRObr);
    g->addWidget(new QLabel("Метод измерения уровня:"), 4, 0, 1, 2);
    g->addWidget(fields->cmbMethod, 4, 2, 1, 2);
    g->addWidget(fields->chkUsePower, 5, 0, 1, 4);
    g->addWidget(fields->chkOnlyInMotion, 6, 0, 1, 4);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setRowStretch(7, 1);
    return page;
}

QWidget* TfrmCars::equipmentPage()
{
    auto* page = new QWidget;
    auto* speed = new QGroupBox("Спидометр");
    auto* sf = new QFormLayout(speed);
    sf->addRow("Тип:", fields->cmbSpeedType);
    sf->addRow(fields->lblSpeedK, fields->edtSpeedK);
    auto* tach = new QGroupBox("Тахометр");
    auto* tf = new QGridLayout(tach);
    tf->addWidget(new QLabel("Тип:"), 0, 0);
    tf->addWidget(fields->cmbTachType, 0, 1, 1, 3);
    tf->addWidget(fields->lblTachK, 1, 0);
    tf->addWidget(fields->edtTachK, 1, 1, 1, 3);
    QSpinBox* rpm[4] = {fields->spnMinRpm, fields->spnMaxRpm, fields->spnMaxIdleRpm, fields->spnBestRpm};
    for (int i = 0; i < 4; ++i) {
        tf->addWidget(fields->lblRpm[i], 2 + i / 2, (i % 2) * 2);
        tf->addWidget(rpm[i], 2 + i / 2, (i % 2) * 2 + 1);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(speed);
    layout->addWidget(tach);
    layout->addStretch();
    return page;
}

QWidget* TfrmCars::recorderPage()
{
    auto* page = new QWidget;
    cmbRecorder = new QComboBox;
    cmbRecorder->setEditable(true);
    cmbRecorder->setInsertPolicy(QComboBox::NoInsert);
    cmbRecorder->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    cmbRecorder->setMinimumContentsLength(kSerialLength);
    dteInstall = new QDateEdit;
    dteInstall->setCalendarPopup(true);
    dteInstall->setMinimumDate(kNoDate);
    dteInstall->setSpecialValueText(" ");
    dteInstall->setDisplayFormat("dd.MM.yyyy");
    auto* form = new QFormLayout(page);
    form->addRow("Серийный номер:", cmbRecorder);
    form->addRow("Дата установки:", dteInstall);
    return page;
}

QWidget* TfrmCars::calibrationPage()
{
    auto* page = new QWidget;
    lblGradState = new QLabel;
    edtGradStart = new QLineEdit;
    edtGradEnd = new QLineEdit;
    edtGradStart->setReadOnly(true);
    edtGradEnd->setReadOnly(true);
    // The calibration windows and the blank report attach to these buttons; until then they rest.
    btnShowGrad = new QPushButton("Показать результ.");
    btnDoGrad = new QPushButton("Выполнить град.");
    btnPrintBlank = new QPushButton("  Печать  бланка  ");
    for (QPushButton* b : {btnShowGrad, btnDoGrad, btnPrintBlank}) b->setEnabled(false);
    auto* form = new QFormLayout(page);
    form->addRow(lblGradState);
    form->addRow("Дата выдачи задания на градуировку:", edtGradStart);
    form->addRow("Дата чтения данных градуировки:", edtGradEnd);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnShowGrad);
    buttons->addWidget(btnDoGrad);
    buttons->addWidget(btnPrintBlank);
    buttons->addStretch();
    form->addRow(buttons);
    return page;
}

QStringList TfrmCars::headers() const { return {"Гос.номер", "Исп.", "Марка", "Описание"}; }

QList<TRefRow> TfrmCars::rows(int sortColumn)
{
    QList<TRefRow> out;
    for (const CarListRow& c : store_.Cars(sortColumn))
        out.append({c.number, {c.number, {}, c.typeName, c.description}, c.inUse ? kInUse : kNotInUse, {c.inUse}});
    return out;
}

void TfrmCars::refreshLists()
{
    const QSignalBlocker typeBlock(cmbType), recorderBlock(cmbRecorder);
    loading_ = true;
    const QString type = cmbType->currentText();
    cmbType->clear();
    cmbType->addItems(store_.TypeNames());
    cmbType->setEditText(type);
    const QString recorder = cmbRecorder->currentText();
    cmbRecorder->clear();
    cmbRecorder->addItem(QString());
    cmbRecorder->addItems(store_.FreeRecorders());
    cmbRecorder->setEditText(recorder);
    loading_ = false;
}

void TfrmCars::ShowCar(const QString& carNumber)
{
    if (carNumber.isEmpty()) return;
    grid()->setRememberedKey(carNumber);
    refresh();
}

void TfrmCars::showKey(const QVariant&) { ReloadCarDetails(); }

void TfrmCars::setGradState(const QString& text, const QColor& colour)
{
    lblGradState->setText(text);
    lblGradState->setStyleSheet(QString("color: %1;").arg(colour.name()));
}

void TfrmCars::resetEditor()
{
    edtNumber->clear();
    cmbType->setEditText(QString());
    chkInUse->setChecked(false);
    fields->reset();
    spnRObr->setValue(0);
    cmbRecorder->setCurrentIndex(-1);
    cmbRecorder->setEditText(QString());
    dteInstall->setDate(kNoDate);
    edtGradStart->clear();
    edtGradEnd->clear();
    setGradState("Нет данных градуировки", kDarkRed);
    for (QPushButton* b : {btnDoGrad, btnPrintBlank, btnChange, btnDelete}) b->setEnabled(false);
}

void TfrmCars::ReloadCarDetails()
{
    loading_ = true;
    resetEditor();
    const QString number = grid()->rememberedKey().toString();
    const bool selected = !grid()->selectedItems().isEmpty() && !number.isEmpty();
    if (selected) {
        edtNumber->setText(number);
        cmbType->setEditText(grid()->selectedText(2));
        chkInUse->setChecked(grid()->selectedCheck(1));
        if (const auto car = store_.Car(number)) {
            fields->load(car->equipment);
            spnRObr->setValue(qRound(car->fuelMeasureRObr));
            btnChange->setEnabled(!addMode());
            btnDelete->setEnabled(!addMode());
            loadRecorder(number);
        } else {
            ui_.error("E1126: Указанный автомобиль не найден в базе данных!");
        }
    }
    fields->extras->applyAllRules();
    dteInstall->setEnabled(!cmbRecorder->currentText().isEmpty());
    loading_ = false;
}

void TfrmCars::loadRecorder(const QString& number)
{
    const auto r = store_.RecorderOfCar(number);
    if (!r) return;
    cmbRecorder->setEditText(r->serial);
    if (r->installDate.isValid()) dteInstall->setDate(r->installDate);
    edtGradStart->setText(ShortDate(r->calibrationStart));
    if (r->calibrated) {
        setGradState("Градуировка выполнена", kGreen);
        edtGradEnd->setText(ShortDate(r->calibrationEnd));
    }
    if (QLabel* temp = fields->extras->lblTempGradState) {
        temp->setText(r->temperatureCalibrated ? "Градуировка задана" : "Градуировка не задана");
        temp->setStyleSheet(QString("color: %1;").arg((r->temperatureCalibrated ? kGreen : kRed).name()));
    }
}

void TfrmCars::onTypeChosen(const QString& typeName)
{
    if (const auto type = types_.TypeByName(typeName)) {
        loading_ = true;
        const int robr = spnRObr->value();
        CarEquipment e = type->equipment;
        e.description = fields->memDescription->toPlainText();  // the car keeps its own description
        fields->load(e);
        fields->edtGSM->setText(reftext::FormatFixed(e.gsm, 1));
        fields->edtUPower->setText(reftext::FormatFixed(e.uPower / 100.0, 1));
        spnRObr->setValue(robr);
        btnChange->setEnabled(!addMode());
        btnDelete->setEnabled(!addMode());
        loading_ = false;
    }
    fields->applySpeedRule();
    fields->applyTachRule();
    fields->applyMethodRule();
    fields->extras->applyCountingRule(3);
    fields->extras->applyCountingRule(4);
    fields->extras->applySecondAdditionalRule();
    fields->extras->applySecondMainRule();
}

void TfrmCars::onRecorderEdited()
{
    setGradState("Нет данных градуировки", kDarkRed);
    dteInstall->setDate(QDate::currentDate());
    dteInstall->setEnabled(!cmbRecorder->currentText().isEmpty());
}

QDate TfrmCars::installDate() const
{
    return dteInstall->date() == kNoDate ? QDate() : dteInstall->date();
}

void TfrmCars::addModeChanged(bool on)
{
    if (on) {
        for (QPushButton* b : {btnChange, btnDelete, btnDoGrad, btnPrintBlank}) b->setEnabled(false);
    }
}

void TfrmCars::enterAddMode()
{
    edtNumber->clear();
    grid()->forget();
    cmbRecorder->setCurrentIndex(0);
    cmbRecorder->setEditText(QString());
    onRecorderEdited();
    edtGradStart->clear();
    edtGradEnd->clear();
    chkInUse->setChecked(true);
    edtNumber->setFocus();
}

bool TfrmCars::checkRecorder(bool creating, const QString& number, QString& serial)
{
    serial = cmbRecorder->currentText().trimmed().toUpper();
    if (serial.isEmpty()) return true;
    cmbRecorder->setEditText(serial);
    if (!SerialTextIsValid(serial)) {
        ui_.error(creating ? "E1102: Указан неверный серийный номер регистратора: Информация не добавлена!"
                           : "E1110: Указан неверный серийный номер регистратора: Информация не добавлена!");
        return false;
    }
    const RecorderLookup r = store_.Recorder(serial);
    if (r.status == RecorderLookup::Failed) return false;
    if (r.status == RecorderLookup::Missing && !creating) {
        ui_.error("E1112: Указанного регистратора нет в базе данных!: Информация не добавлена! "
                  "Сначала внесите регистратор в базу данных");
        return false;
    }
    if (r.status == RecorderLookup::Found && !r.carNumber.isEmpty() && r.carNumber != number) {
        ui_.error(QString("%1: Указанный регистратор привязан к другому (%2) автомобилю!: Информация не добавлена!")
                      .arg(creating ? "E1103" : "E1111", r.carNumber));
        return false;
    }
    return true;
}

bool TfrmCars::buildValues(bool creating, const QString& number, CarValues& car)
{
    const auto centivolts = reftext::Centivolts(fields->edtUPower->text());
    if (!centivolts || *centivolts <= 0) {
        ui_.error(QString("%1: Не указано номинальное бортовое напряжение питания!Информация не добавлена!")
                      .arg(creating ? "E1127" : "E1128"));
        return false;
    }
    car.number = number;
    car.inUse = chkInUse->isChecked();
    car.equipment = fields->values(*centivolts);
    const auto warnResistor = [&] {
        if (spnRObr->value() < 1)
            ui_.warning("Не указано значение образцового сопротивления!Будет использовано значение 10 Ом.");
    };
    if (creating) {
        warnResistor();
        fields->warnAboutFactors(ui_);
    } else {
        fields->warnAboutFactors(ui_);
        warnResistor();
    }
    car.fuelMeasureRObr = spnRObr->value() < 1 ? 10 : spnRObr->value();
    car.typeRef = store_.TypeUid(cmbType->currentText());
    return true;
}

void TfrmCars::add()
{
    QString number = edtNumber->text().trimmed();
    if (number.isEmpty()) {
        ui_.error("E1101: Не задан номер автомобиля: Информация не добавлена!");
        return;
    }
    number = number.toUpper().left(kNumberLength);
    edtNumber->setText(number);
    switch (store_.CarExists(number)) {
    case TCarRefStore::Exists::Yes:
        ui_.warning(QString("Автомобиль гос.номер \"%1\" уже есть в базе данных!").arg(number));
        edtNumber->setFocus();
        edtNumber->selectAll();
        return;
    case TCarRefStore::Exists::Failed: ui_.error("E1131: Ошибка при контроле данных!"); return;
    case TCarRefStore::Exists::No: break;
    }
    QString serial;
    CarValues car;
    if (!checkRecorder(true, number, serial) || !buildValues(true, number, car)) return;
    if (!store_.Create(car, serial)) return;
    grid()->setRememberedKey(number);
    setAddMode(false);
    refresh();
}

void TfrmCars::change()
{
    QString number = edtNumber->text().trimmed();
    if (number.isEmpty()) {
        ui_.error("E1109: Не задан номер автомобиля: Информация не изменена!");
        return;
    }
    number = number.toUpper();
    edtNumber->setText(number);
    QString serial;
    CarValues car;
    if (!checkRecorder(false, number, serial) || !buildValues(false, number, car)) return;
    store_.Change(car, serial, installDate());
    refresh();
}

void TfrmCars::remove()
{
    QString number = edtNumber->text().trimmed();
    if (number.isEmpty()) {
        ui_.error("E1106: Не задан номер автомобиля: Информация не удалена!");
        return;
    }
    number = number.toUpper();
    if (!ui_.askYesNo(QString("Вы хотите удалить автомобиль %1 из базы данных?").arg(number))) return;
    store_.Delete(number);
    grid()->forget();
    refresh();
}
