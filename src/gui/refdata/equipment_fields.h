#pragma once
// The fuel, speed and engine speed fields shared by the cars and the car types editors, with their
// enabling rules and the conversions between the fields and CarEquipment. Each window lays the
// widgets out on its own pages.
#include <QObject>

struct CarEquipment;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class TExtraInputsPages;
class Interaction;

class TEquipmentFields : public QObject {
    Q_OBJECT
public:
    enum class Kind { Car, CarType };
    explicit TEquipmentFields(Kind kind, QObject* parent = nullptr);

    // The editor's initial state (voltage "12.0", thresholds 1, factors "0", types "Нет", ...).
    void reset();
    // Fills every field; the check boxes show what is stored (the window then applies its rules).
    void load(const CarEquipment& e);
    // Reads the fields; the voltage comes separately (its failure is the window's message).
    CarEquipment values(int uPower) const;
    // Speed and engine speed factors of a car: the warning when a sensor is chosen without a factor.
    void warnAboutFactors(Interaction& ui) const;

    void applySpeedRule();
    void applyTachRule();
    void applyMethodRule();

    Kind kind;
    QLineEdit* edtGSM;
    QSpinBox* spnTank1;
    QSpinBox* spnTank2;
    QSpinBox* spnInc;
    QSpinBox* spnDec;
    QLineEdit* edtUPower;
    QLabel* lblUPower;
    QComboBox* cmbMethod;
    QCheckBox* chkUsePower;
    QCheckBox* chkOnlyInMotion;
    QComboBox* cmbSpeedType;
    QLineEdit* edtSpeedK;
    QLabel* lblSpeedK;
    QComboBox* cmbTachType;
    QLineEdit* edtTachK;
    QLabel* lblTachK;
    QSpinBox* spnMinRpm;
    QSpinBox* spnMaxRpm;
    QSpinBox* spnMaxIdleRpm;
    QSpinBox* spnBestRpm;
    QLabel* lblRpm[4];
    QPlainTextEdit* memDescription;
    TExtraInputsPages* extras;
};
