#include "grad_store.h"

bool TGradStore::addPoint(const QString& serial, int type, const TGradRow& p)
{
    return insert({{"REGSERNUM", serial}, {"TYPE_GRAD", type}, {"U", p.u}, {"VAL", p.val}, {"U_POWER", p.uPower}});
}

bool TGradStore::points(const QString& serial, int type, std::vector<TGradRow>& out)
{
    out.clear();
    std::vector<TDbRow> rows;
    if (!select({{"REGSERNUM", serial}, {"TYPE_GRAD", type}}, rows, "U")) return false;
    for (const TDbRow& r : rows) out.push_back({r.real("U"), r.real("VAL"), r.value("U_POWER")});
    return true;
}

bool TGradStore::removePoints(const QString& serial, int type)
{
    return removeWhere({{"REGSERNUM", serial}, {"TYPE_GRAD", type}});
}
