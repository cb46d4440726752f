#pragma once
// Cars (T_Cars), keyed by the state registration number, stored in upper case.
#include "table_store.h"

class TCarStore : public TTableStore {
public:
    explicit TCarStore(TData& data) : TTableStore(data, "T_Cars", {"CarNumber"}) {}

    bool find(const QString& number, std::optional<TDbRow>& row) { return TTableStore::find({number}, row); }
    bool update(const QString& number, const QVariantMap& values) { return TTableStore::update({number}, values); }
    bool remove(const QString& number) { return TTableStore::remove({number}); }
    bool list(std::vector<TDbRow>& rows, const QString& orderBy = "CarNumber") { return TTableStore::list(rows, orderBy); }
};
