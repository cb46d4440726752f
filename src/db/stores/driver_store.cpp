#include "driver_store.h"

QVariantMap TDriverStore::columns(const TDriverName& d)
{
    return {{"DRIVERSNAME", d.surname}, {"DRIVERNAME", d.name}, {"DRIVERFNAME", d.patronymic}};
}

bool TDriverStore::insert(const TDriverName& driver, int& uid)
{
    QVariant assigned;
    if (!insertReturning(columns(driver), "UID", assigned)) return false;
    uid = assigned.toInt();
    return true;
}

bool TDriverStore::findByName(const TDriverName& driver, std::optional<TDbRow>& row)
{
    std::vector<TDbRow> rows;
    row.reset();
    if (!select(columns(driver), rows, "UID")) return false;
    if (!rows.empty()) row = rows.front();
    return true;
}
