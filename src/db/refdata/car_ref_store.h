#pragma once
// Reads and changes of the cars window: the car list, one car, the recorder bound to it, the free
// recorders and the types to choose from; create, change and delete, each one transaction.
#include "car_equipment.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <optional>

class TData;

struct CarListRow {
    QString number;
    bool inUse = false;
    QString typeName;
    QString description;
};

struct CarValues {
    QString number;
    bool inUse = false;
    QVariant typeRef;  // NULL when the car has no type
    double fuelMeasureRObr = 0;
    CarEquipment equipment;
};

struct CarRecorderInfo {
    QString serial;
    QDate installDate;
    bool calibrated = false;
    QDate calibrationStart, calibrationEnd;
    bool temperatureCalibrated = false;
};

// A recorder as the binding checks see it.
struct RecorderLookup {
    enum Status { Missing, Found, Failed } status = Missing;
    QString carNumber;
};

class TCarRefStore {
public:
    explicit TCarRefStore(TData& data) : data_(data) {}

    // Sort columns: 0 and 3 by number, 1 by use, 2 by type reference (each then by number).
    QList<CarListRow> Cars(int sortColumn);
    QStringList TypeNames();
    QStringList FreeRecorders();
    std::optional<CarValues> Car(const QString& number);
    std::optional<CarRecorderInfo> RecorderOfCar(const QString& number);
    // Empty when no type has this name (or the look-up failed).
    QVariant TypeUid(const QString& typeName);
    enum class Exists { No, Yes, Failed };
    Exists CarExists(const QString& number);
    RecorderLookup Recorder(const QString& serial);

    // Inserts the car and binds the recorder (when given): E1104 / E1105.
    bool Create(const CarValues& car, const QString& recorder);
    // Updates the car and moves the binding when the recorder changed: E1113 / E1114;
    // a number that matches no car writes nothing and shows E1126.
    bool Change(const CarValues& car, const QString& recorder, const QDate& installDate);
    // Deletes the car and frees its recorder, keeping its calibration flag: E1107 / E1108.
    bool Delete(const QString& number);

private:
    QString currentRecorder(const QString& number, bool& ok);

    TData& data_;
};
