#pragma once
// Reads and changes of the drivers window.
#include <QList>

class TData;

struct DriverValues {
    int uid = -1;
    QString surname, name, patronymic;
};

class TDriverRefStore {
public:
    explicit TDriverRefStore(TData& data) : data_(data) {}

    QList<DriverValues> Drivers();  // by surname, then name
    // Adds the driver unless the same three names exist (warning); returns the new UID or -1.
    int Add(const DriverValues& d);     // E1501 / E1502
    bool Change(const DriverValues& d);  // E1505 / E1506
    // Deletes the row only while its names still match; uid -1 deletes by the names alone.
    bool Delete(const DriverValues& d);  // E1503 / E1504

private:
    // The UID of the driver with these names; -1 when none, -2 when the read failed.
    int findUid(const DriverValues& d);

    TData& data_;
};
