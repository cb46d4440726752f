#pragma once
// The car types window: named sets of defaults that the cars window copies into a car.
#include "db/refdata/car_type_ref_store.h"
#include "ref_window.h"

class QLineEdit;
class QTabWidget;
class TEquipmentFields;

class TfrmCarTypes : public TRefWindow {
    Q_OBJECT
public:
    explicit TfrmCarTypes(TData& data, QWidget* parent = nullptr);

    QLineEdit* edtName;
    QLineEdit* edtUID;  // hidden: the UID of the shown type
    QTabWidget* pages;
    TEquipmentFields* fields;
    QPushButton* btnChange;
    QPushButton* btnDelete;

protected:
    QStringList headers() const override { return {"Наименование", "Описание"}; }
    QList<TRefRow> rows(int sortColumn) override;

    void showKey(const QVariant& key) override;
    void enterAddMode() override;
    void add() override;
    void addModeChanged(bool on) override;

private:
    QWidget* buildEditor();
    QWidget* fuelPage();
    QWidget* speedPage();
    QWidget* enginePage();
    void change();
    void remove();
    // creating: only a voltage above 0 counts; changing: every number counts. Otherwise 0.
    CarTypeValues values(bool creating) const;
    int shownUid() const;

    TCarTypeRefStore store_;
};
