#include "car_type_store.h"

bool TCarTypeStore::insert(const QVariantMap& values, int& uid)
{
    QVariant assigned;
    if (!insertReturning(values, "UID", assigned)) return false;
    uid = assigned.toInt();
    return true;
}

bool TCarTypeStore::findByName(const QString& name, std::optional<TDbRow>& row)
{
    std::vector<TDbRow> rows;
    row.reset();
    if (!select({{"TypeName", name}}, rows, "UID")) return false;
    if (!rows.empty()) row = rows.front();
    return true;
}
