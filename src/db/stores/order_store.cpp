#include "order_store.h"

bool TOrderStore::insert(const QVariantMap& values, int& orderUid)
{
    QVariant assigned;
    if (!insertReturning(values, "OrderUID", assigned)) return false;
    orderUid = assigned.toInt();
    return true;
}

bool TOrderStore::findByGuid(const QString& guid, std::optional<TDbRow>& row)
{
    std::vector<TDbRow> rows;
    row.reset();
    if (!select({{"GUID", guid}}, rows, "OrderUID")) return false;
    if (!rows.empty()) row = rows.front();
    return true;
}
