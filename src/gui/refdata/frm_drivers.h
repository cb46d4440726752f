#pragma once
// The drivers window: surname, first name and patronymic of the drivers the order window offers.
#include "db/refdata/driver_ref_store.h"
#include "ref_window.h"

class QLineEdit;

class TfrmDrivers : public TRefWindow {
    Q_OBJECT
public:
    explicit TfrmDrivers(TData& data, QWidget* parent = nullptr);

    QLineEdit* edtSurname;
    QLineEdit* edtName;
    QLineEdit* edtPatronymic;
    QLineEdit* edtUID;  // hidden
    QPushButton* btnChange;
    QPushButton* btnDelete;

protected:
    QStringList headers() const override { return {"Фамилия", "Имя", "Отчество"}; }
    QList<TRefRow> rows(int sortColumn) override;
    bool sortable(int) const override { return true; }

    void showKey(const QVariant& key) override;
    void add() override;

private:
    void change();
    void remove();
    DriverValues editorValues() const;

    TDriverRefStore store_;
};
