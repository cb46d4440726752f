#pragma once
// Drivers (T_Drivers): UID assigned by the database; surname, first name and patronymic.
#include "table_store.h"

struct TDriverName {
    QString surname;     // DRIVERSNAME
    QString name;        // DRIVERNAME
    QString patronymic;  // DRIVERFNAME
};

class TDriverStore : public TTableStore {
public:
    explicit TDriverStore(TData& data) : TTableStore(data, "T_Drivers", {"UID"}) {}

    bool insert(const TDriverName& driver, int& uid);
    bool find(int uid, std::optional<TDbRow>& row) { return TTableStore::find({uid}, row); }
    // The first driver with exactly these three names.
    bool findByName(const TDriverName& driver, std::optional<TDbRow>& row);
    bool update(int uid, const TDriverName& driver) { return TTableStore::update({uid}, columns(driver)); }
    bool remove(int uid) { return TTableStore::remove({uid}); }
    bool list(std::vector<TDbRow>& rows) { return TTableStore::list(rows, "DriverSName, DriverName"); }

    static QVariantMap columns(const TDriverName& driver);
};
