#include "frm_carriers.h"

#include "core/interaction.h"
#include "data.h"
#include "serial_field.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

TRefWindow::Options CarriersOptions()
{
    TRefWindow::Options o;
    o.caption = "Носители";
    o.editorHeading = "Информация о выбранном носителе:";
    o.size = QSize(305, 340);
    o.minSize = QSize(303, 340);
    return o;
}

const QString kDateFormat = "dd.MM.yy";

QString ShortDate(const QDate& d) { return d.isValid() ? d.toString(kDateFormat) : QString(); }

// A date field gives no date when it is empty or holds no date.
QDate DateOfField(const QLineEdit* e)
{
    QDate d = QDate::fromString(e->text().trimmed(), kDateFormat);
    if (d.isValid() && d.year() < 1950) d = d.addYears(100);  // two-digit years are this century's
    return d;
}

QLineEdit* DateField()
{
    auto* e = new QLineEdit;
    e->setReadOnly(true);
    return e;
}

}  // namespace

TfrmCarriers::TfrmCarriers(TData& data, QWidget* parent) : TRefWindow(CarriersOptions(), data.ui(), parent), store_(data)
{
    auto* editor = new QWidget;
    edtSerial = new TSerialEdit;
    edtSerial->setReadOnly(true);
    edtInitDate = DateField();
    edtWriteDate = DateField();
    edtReadDate = DateField();
    chkInUse = new QCheckBox("Находится в эксплуатации");
    auto* form = new QFormLayout(editor);
    form->setContentsMargins(0, 0, 0, 0);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->addRow("Серийный номер:", edtSerial);
    form->addRow("Дата внесения в базу данных:", edtInitDate);
    form->addRow("Дата записи последнего задания:", edtWriteDate);
    form->addRow("Дата считывания посл. задания:", edtReadDate);
    form->addRow(chkInUse);
    btnChange = new QPushButton("Изменить");
    btnDelete = new QPushButton("Удалить");
    connect(btnChange, &QPushButton::clicked, this, &TfrmCarriers::change);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmCarriers::remove);
    build(editor, {makeCreateButton(), btnChange, btnDelete});
    refresh();
}

QList<TRefRow> TfrmCarriers::rows(int)
{
    QList<TRefRow> out;
    for (const CarrierListRow& c : store_.Carriers()) {
        const QColor colour = c.hasOrder > 0 ? QColor(255, 237, 234)
                              : c.inUse <= 0 ? QColor(240, 238, 238)
                                             : QColor(238, 255, 234);
        out.append({c.serial, {c.serial}, colour, {}});
    }
    return out;
}

void TfrmCarriers::clearEditor()
{
    edtSerial->clear();
    edtInitDate->clear();
    edtWriteDate->clear();
    edtReadDate->clear();
    chkInUse->setChecked(false);
}

void TfrmCarriers::showKey(const QVariant& key)
{
    clearEditor();
    btnChange->setEnabled(false);
    btnDelete->setEnabled(false);
    edtSerial->setReadOnly(true);
    if (!key.isValid()) return;
    edtSerial->setText(key.toString());
    if (const auto c = store_.Carrier(key.toString())) {
        edtInitDate->setText(ShortDate(c->initDate));
        edtWriteDate->setText(ShortDate(c->lastWriteDate));
        edtReadDate->setText(ShortDate(c->lastReadDate));
        chkInUse->setChecked(c->inUse);
        btnChange->setEnabled(true);
        btnDelete->setEnabled(true);
    }
}

void TfrmCarriers::addModeChanged(bool on)
{
    btnChange->setEnabled(!on);
    btnDelete->setEnabled(!on);
    for (QLineEdit* e : {static_cast<QLineEdit*>(edtSerial), edtInitDate, edtWriteDate, edtReadDate})
        e->setReadOnly(!on);
}

void TfrmCarriers::enterAddMode()
{
    clearEditor();
    chkInUse->setChecked(true);
    edtInitDate->setText(QDate::currentDate().toString(kDateFormat));
    edtSerial->setFocus();
}

void TfrmCarriers::add()
{
    const QString serial = edtSerial->serial().toUpper();
    if (!SerialTextIsValid(serial)) {
        ui_.error("E1003: Неверный серийный номер носителя");
        return;
    }
    const CarrierValues c{serial, DateOfField(edtInitDate), DateOfField(edtWriteDate), DateOfField(edtReadDate),
                          chkInUse->isChecked()};
    switch (store_.Create(c)) {
    case TCarrierRefStore::CreateResult::Duplicate:
        edtSerial->setFocus();
        edtSerial->selectAll();
        return;
    case TCarrierRefStore::CreateResult::Created:
        setAddMode(false);
        grid()->setRememberedKey(serial);
        break;
    case TCarrierRefStore::CreateResult::Failed: break;
    }
    refresh();
}

void TfrmCarriers::change()
{
    const QString serial = edtSerial->serial().toUpper();
    if (!SerialTextIsValid(serial)) {
        ui_.error("E1009: Неверный серийный номер носителя");
        return;
    }
    if (store_.Change(serial, chkInUse->isChecked())) {
        setAddMode(false);
        grid()->setRememberedKey(serial);
    }
    refresh();
}

void TfrmCarriers::remove()
{
    const QString serial = edtSerial->serial().toUpper();
    if (!SerialTextIsValid(serial)) {
        ui_.error("E1004: Неверный серийный номер носителя");
        return;
    }
    if (!ui_.askYesNo("Вы хотите удалить из базы данных?")) return;
    store_.Delete(serial);
    refresh();
}
