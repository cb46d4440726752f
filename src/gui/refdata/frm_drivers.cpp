#include "frm_drivers.h"

#include "core/interaction.h"
#include "data.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace {

TRefWindow::Options DriversOptions()
{
    TRefWindow::Options o;
    o.caption = "Водители";
    o.editorHeading = "Информация о выбранном водителе:";
    o.size = QSize(540, 317);
    o.maxSize = QSize(541, 317);
    o.numbered = true;
    o.addMode = false;
    return o;
}

QString NameColumn(const DriverValues& d, int column)
{
    return column == 0 ? d.surname : column == 1 ? d.name : d.patronymic;
}

}  // namespace

TfrmDrivers::TfrmDrivers(TData& data, QWidget* parent) : TRefWindow(DriversOptions(), data.ui(), parent), store_(data)
{
    auto* editor = new QWidget;
    edtSurname = new QLineEdit;
    edtName = new QLineEdit;
    edtPatronymic = new QLineEdit;
    edtUID = new QLineEdit;
    edtUID->setVisible(false);
    auto* form = new QFormLayout(editor);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow("Фамилия:", edtSurname);
    form->addRow("Имя:", edtName);
    form->addRow("Отчество:", edtPatronymic);
    form->addRow(edtUID);
    btnChange = new QPushButton("Изменить");
    btnDelete = new QPushButton("Удалить");
    connect(btnChange, &QPushButton::clicked, this, &TfrmDrivers::change);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmDrivers::remove);
    build(editor, {makeCreateButton(), btnChange, btnDelete});
    refresh();
}

QList<TRefRow> TfrmDrivers::rows(int sortColumn)
{
    QList<DriverValues> list = store_.Drivers();
    if (sortColumn > 0)
        std::stable_sort(list.begin(), list.end(), [sortColumn](const DriverValues& a, const DriverValues& b) {
            return NameColumn(a, sortColumn).localeAwareCompare(NameColumn(b, sortColumn)) < 0;
        });
    QList<TRefRow> out;
    for (const DriverValues& d : list) out.append({d.uid, {d.surname, d.name, d.patronymic}, {}, {}});
    return out;
}

void TfrmDrivers::showKey(const QVariant& key)
{
    const bool selected = key.isValid();
    edtUID->setText(selected ? QString::number(key.toInt()) : "-1");
    edtSurname->setText(grid()->selectedText(0));
    edtName->setText(grid()->selectedText(1));
    edtPatronymic->setText(grid()->selectedText(2));
    btnChange->setEnabled(selected);
    btnDelete->setEnabled(selected);
}

DriverValues TfrmDrivers::editorValues() const
{
    bool ok = false;
    const int uid = edtUID->text().toInt(&ok);
    return {ok ? uid : -1, edtSurname->text(), edtName->text(), edtPatronymic->text()};
}

void TfrmDrivers::add()
{
    const DriverValues d = editorValues();
    if (d.surname.isEmpty() && d.name.isEmpty() && d.patronymic.isEmpty()) return;
    const int uid = store_.Add(d);
    if (uid >= 0) grid()->setRememberedKey(uid);
    refresh();
}

void TfrmDrivers::change()
{
    const DriverValues d = editorValues();
    if (d.uid < 0) return;
    store_.Change(d);
    refresh();
}

void TfrmDrivers::remove()
{
    const DriverValues d = editorValues();
    if (d.surname.isEmpty() && d.name.isEmpty() && d.patronymic.isEmpty()) return;
    if (!ui_.askYesNo("Вы хотите удалить из базы данных?")) return;
    store_.Delete(d);
    grid()->forget();
    refresh();
}
