#pragma once
// Reads and changes of the car types window; the cars window reads a type's defaults from here too.
#include "car_equipment.h"

#include <QList>
#include <optional>

class TData;

struct CarTypeValues {
    int uid = -1;
    QString name;
    CarEquipment equipment;
};

struct CarTypeListRow {
    int uid = -1;
    QString name;
    QString description;  // the lines joined into one, each after a blank
};

class TCarTypeRefStore {
public:
    explicit TCarTypeRefStore(TData& data) : data_(data) {}

    QList<CarTypeListRow> Types();  // in the order the database returns them
    std::optional<CarTypeValues> Type(int uid);
    std::optional<CarTypeValues> TypeByName(const QString& name);

    enum class NameCheck { Free, Taken, Failed };
    NameCheck CheckName(const QString& name);
    // Inserts the type; its new UID, or -1 after a failure (E1202 / E1203).
    int Create(const CarTypeValues& type);
    bool Change(const CarTypeValues& type);  // E1206 / E1207
    bool Delete(int uid);                    // E1204 / E1205

private:
    TData& data_;
};
