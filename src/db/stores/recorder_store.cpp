#include "recorder_store.h"

bool TRecorderStore::findByCar(const QString& carNumber, std::optional<TDbRow>& row)
{
    std::vector<TDbRow> rows;
    row.reset();
    if (!select({{"CarNumber", carNumber}}, rows, "RegSerNum")) return false;
    if (!rows.empty()) row = rows.front();
    return true;
}
