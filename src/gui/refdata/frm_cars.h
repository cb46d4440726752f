#pragma once
// The cars window: the list of cars, the editor of one car with its equipment, and the binding of a
// recorder to the car.
#include "db/refdata/car_ref_store.h"
#include "db/refdata/car_type_ref_store.h"
#include "ref_window.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class TEquipmentFields;

class TfrmCars : public TRefWindow {
    Q_OBJECT
public:
    explicit TfrmCars(TData& data, QWidget* parent = nullptr);

    // Refreshes the list and selects this car (nothing happens for an empty number).
    void ShowCar(const QString& carNumber);
    // Fills the editor again from the database for the selected car.
    void ReloadCarDetails();

    // Buttons and fields reached by other windows and by tests.
    QLineEdit* edtNumber;
    QComboBox* cmbType;
    QCheckBox* chkInUse;
    QTabWidget* pages;
    TEquipmentFields* fields;
    QSpinBox* spnRObr;
    QComboBox* cmbRecorder;
    QDateEdit* dteInstall;
    QLabel* lblGradState;
    QLineEdit* edtGradStart;
    QLineEdit* edtGradEnd;
    QPushButton* btnShowGrad;
    QPushButton* btnDoGrad;
    QPushButton* btnPrintBlank;
    QPushButton* btnToFile;
    QPushButton* btnFromFile;
    QPushButton* btnChange;
    QPushButton* btnDelete;

protected:
    QStringList headers() const override;
    QList<TRefRow> rows(int sortColumn) override;
    bool sortable(int) const override { return true; }
    QList<int> checkColumns() const override { return {1}; }

    void showKey(const QVariant& key) override;
    void enterAddMode() override;
    void add() override;
    void addModeChanged(bool on) override;
    void refreshLists() override;

private:
    QWidget* buildEditor();
    QWidget* characteristicsPage();
    QWidget* equipmentPage();
    QWidget* recorderPage();
    QWidget* calibrationPage();

    void change();
    void remove();
    void onTypeChosen(const QString& typeName);
    void onRecorderEdited();
    void resetEditor();
    void loadRecorder(const QString& number);
    void setGradState(const QString& text, const QColor& colour);
    // The recorder field checked for create (E1102 / E1103) or change (E1110 / E1111 / E1112).
    bool checkRecorder(bool creating, const QString& number, QString& serial);
    // Builds the row from the fields; false when the voltage stops the save (E1127 / E1128).
    bool buildValues(bool creating, const QString& number, CarValues& car);
    QDate installDate() const;

    TCarRefStore store_;
    TCarTypeRefStore types_;
    bool loading_ = false;
};
