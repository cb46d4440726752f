#pragma once
// Reads and changes of the car types window; the cars window reads a type's defaults from here too.
#include "car_equipment.h"

#include <QList>
#include <QSqlDatabase>
#include <optional>

class Interaction;

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
    TCarTypeRefStore(QSqlDatabase db, Interaction& ui) : db_(db), ui_(ui) {}

    QList<CarTypeListRow> Types();
    std::optional<CarTypeValues> Type(int uid);
    std::optional<CarTypeValues> TypeByName(const QString& name);
    // The UID of the type with this name; nullopt when there is none, -2 when the look-up failed.
    std::optional<int> UidByName(const QString& name);

    // Inserts the type and returns its new UID (-1 after a failure, shown as E1202 / E1203).
    int Create(const CarTypeValues& type);
    bool Change(const CarTypeValues& type);  // E1206 / E1207
    bool Delete(int uid);                    // E1204 / E1205

private:
    QSqlDatabase db_;
    Interaction& ui_;
};

// The lines of a description, each preceded by one blank, joined into one line.
QString JoinDescriptionLines(const QString& text);
