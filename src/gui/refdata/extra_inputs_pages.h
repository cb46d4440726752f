#pragma once
// The four sub-pages of the extra inputs, shared by the cars and the car types editors: the second
// main measuring input with its temperature sensor grid, the second additional measuring input and
// the two counting inputs.
#include <QTabWidget>

struct CarEquipment;
class QComboBox;
class QLabel;
class QLineEdit;
class QCheckBox;
class QPushButton;
class QTableWidget;

class TExtraInputsPages : public QTabWidget {
    Q_OBJECT
public:
    // forCars: the cars editor (temperature calibration label and button; the second main input rule
    // also hides the description).
    explicit TExtraInputsPages(bool forCars, QWidget* parent = nullptr);

    // Shows the stored values; with a second tank the second main input reads "Не используется"
    // and its type and description are disabled.
    void load(const CarEquipment& e);
    // Writes the fields back (decimal texts: first comma to point, no number gives 0).
    void store(CarEquipment& e) const;
    void resetSensorGrid();

    void applySecondMainRule();
    void applySecondAdditionalRule();
    void applyCountingRule(int input);  // 3 or 4
    void applyAllRules();

    // The widgets the windows and tests reach.
    QComboBox* cmbAInputBak2Type;
    QLineEdit* edtAInputBak2Descr;
    QLabel* lblAInputBak2Descr;
    QLabel* lblSensor;
    QTableWidget* grdSensor;
    QComboBox* cmbAInput6Type;
    QLineEdit* edtAInput6Descr;
    QLabel* lblAInput6Descr;
    QCheckBox* chkUsePowerForTemp;
    QLabel* lblTempGradState = nullptr;        // cars only
    QPushButton* btnTempGrad = nullptr;        // cars only
    // The temperature calibration window is attached later; until then the button stays disabled.
    bool tempGradAvailable = false;
    struct Counting {
        QComboBox* cmbType;
        QLineEdit* edtDescr;
        QComboBox* cmbLevel;
        QLineEdit* edtParam;
        QList<QWidget*> dependents;
    } counting[2];

private:
    QWidget* secondMainPage();
    QWidget* secondAdditionalPage();
    QWidget* countingPage(Counting& c);

    bool forCars_;
};
