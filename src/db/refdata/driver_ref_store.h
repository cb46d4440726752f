#pragma once
// Reads and changes of the drivers window.
#include <QList>
#include <QSqlDatabase>

class Interaction;

struct DriverValues {
    int uid = -1;
    QString surname, name, patronymic;
};

class TDriverRefStore {
public:
    TDriverRefStore(QSqlDatabase db, Interaction& ui) : db_(db), ui_(ui) {}

    QList<DriverValues> Drivers();  // by surname, then name
    // Adds the driver unless the same three names exist (warning); returns the new UID or -1.
    int Add(const DriverValues& d);     // E1501 / E1502
    bool Change(const DriverValues& d);  // E1505 / E1506
    // Deletes the row only while its names still match; uid -1 deletes by the names alone.
    bool Delete(const DriverValues& d);  // E1503 / E1504

private:
    int findUid(const DriverValues& d);

    QSqlDatabase db_;
    Interaction& ui_;
};
