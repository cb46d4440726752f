#include "frm_devices.h"

#include "core/interaction.h"
#include "core/ref_text.h"
#include "data.h"
#include "serial_field.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace {

TRefWindow::Options DevicesOptions()
{
    TRefWindow::Options o;
    o.caption = "Регистраторы";
    o.editorHeading = "Информация о выбранном регистраторе:";
    o.size = QSize(540, 370);
    o.minSize = QSize(540, 340);
    o.numbered = true;
    return o;
}

const char* kVersionHint = "\r\nВерсия должна быть в виде X.Y (например, 1.2, или 3.51, или 2)";

}  // namespace

TfrmDevices::TfrmDevices(TData& data, QWidget* parent) : TRefWindow(DevicesOptions(), data.ui(), parent), store_(data)
{
    auto* editor = new QWidget;
    edtSerial = new TSerialEdit;
    edtHW = new QLineEdit;
    edtSW = new QLineEdit;
    auto* form = new QFormLayout(editor);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow("Серийный номер:", edtSerial);
    form->addRow("Версия оборудования:", edtHW);
    form->addRow("Версия ПО:", edtSW);
    btnChange = new QPushButton("Изменить");
    btnDelete = new QPushButton("Удалить");
    btnFree = new QPushButton("Освободить");
    connect(btnChange, &QPushButton::clicked, this, &TfrmDevices::change);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmDevices::remove);
    connect(btnFree, &QPushButton::clicked, this, &TfrmDevices::free);
    build(editor, {makeCreateButton(), btnChange, btnDelete, btnFree});
    connect(grid(), &QTableWidget::cellDoubleClicked, this, [this](int row, int) { onDoubleClick(row); });
    refresh();
}

QList<TRefRow> TfrmDevices::rows(int sortColumn)
{
    QList<RecorderListRow> list = store_.Recorders();
    if (sortColumn == 1)
        std::stable_sort(list.begin(), list.end(),
                         [](const RecorderListRow& a, const RecorderListRow& b) { return a.carNumber < b.carNumber; });
    QList<TRefRow> out;
    for (const RecorderListRow& r : list) out.append({r.serial, {r.serial, r.carNumber}, {}, {}});
    return out;
}

void TfrmDevices::showKey(const QVariant& key)
{
    edtSerial->clear();
    edtHW->clear();
    edtSW->clear();
    btnChange->setEnabled(false);
    btnDelete->setEnabled(false);
    btnFree->setEnabled(false);
    if (!key.isValid()) return;
    edtSerial->setText(key.toString());
    const auto r = store_.Recorder(key.toString());
    if (!r) {
        ui_.error("E1410: Указанный регистратор не найден!");
        return;
    }
    edtHW->setText(reftext::VersionToText(r->hwVersion));
    edtSW->setText(reftext::VersionToText(r->swVersion));
    btnChange->setEnabled(true);
    btnDelete->setEnabled(true);
    btnFree->setEnabled(!r->carNumber.isEmpty());
}

void TfrmDevices::addModeChanged(bool on)
{
    btnChange->setEnabled(!on);
    btnDelete->setEnabled(!on);
    btnFree->setEnabled(!on && !grid()->selectedText(1).isEmpty());
}

void TfrmDevices::enterAddMode()
{
    edtSerial->clear();
    edtHW->clear();
    edtSW->clear();
    edtSerial->setFocus();
}

bool TfrmDevices::versions(int& hw, int& sw)
{
    const auto check = [this](QLineEdit* field, const QString& what, int& out) {
        const auto v = reftext::VersionFromText(field->text());
        if (!v) {
            ui_.warning(what + kVersionHint);
            field->setFocus();
            return false;
        }
        out = *v;
        return true;
    };
    return check(edtHW, "Не верно указана версия оборудования!", hw) && check(edtSW, "Не верно указана версия ПО!", sw);
}

void TfrmDevices::add()
{
    const QString serial = edtSerial->serial().toUpper();
    if (!SerialTextIsValid(serial)) {
        ui_.error("E1403: Ошибочный серийный номер!");
        return;
    }
    int hw = 0, sw = 0;
    if (!versions(hw, sw)) return;
    switch (store_.Create({serial, hw, sw, {}})) {
    case TRecorderRefStore::CreateResult::Duplicate: edtSerial->setFocus(); return;
    case TRecorderRefStore::CreateResult::Created:
        setAddMode(false);
        grid()->setRememberedKey(serial);
        break;
    case TRecorderRefStore::CreateResult::Failed: break;
    }
    refresh();
}

void TfrmDevices::change()
{
    const QString serial = edtSerial->serial().toUpper();
    if (!SerialTextIsValid(serial)) {
        ui_.error("E1409: Ошибочный серийный номер!");
        return;
    }
    int hw = 0, sw = 0;
    if (!versions(hw, sw)) return;
    if (store_.Change({serial, hw, sw, {}})) setAddMode(false);
    refresh();
}

void TfrmDevices::remove()
{
    QString digits = edtSerial->serial();
    if (digits.remove('.').remove('-').trimmed().isEmpty()) {
        ui_.error("E1404: Не задан серийный номер!");
        return;
    }
    if (!ui_.askYesNo("Вы хотите удалить из базы данных?")) return;
    store_.Delete(edtSerial->serial().toUpper());
    refresh();
}

void TfrmDevices::free()
{
    const QString serial = edtSerial->serial().toUpper();
    if (!SerialTextIsValid(serial)) {
        ui_.error("E1413: Ошибочный серийный номер!");
        return;
    }
    store_.Free(serial);
    refresh();
}

void TfrmDevices::onDoubleClick(int row)
{
    const QTableWidgetItem* car = grid()->item(row, 2);
    if (car && !car->text().isEmpty() && showCar) showCar(car->text());
}
