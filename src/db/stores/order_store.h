#pragma once
// Orders (T_Orders): OrderUID assigned by the database, found again by GUID; chart pictures and
// fuel events are binary blobs, the descriptions text blobs.
#include "table_store.h"

class TOrderStore : public TTableStore {
public:
    explicit TOrderStore(TData& data) : TTableStore(data, "T_Orders", {"OrderUID"}) {}

    bool insert(const QVariantMap& values, int& orderUid);
    bool find(int orderUid, std::optional<TDbRow>& row) { return TTableStore::find({orderUid}, row); }
    bool findByGuid(const QString& guid, std::optional<TDbRow>& row);
    bool update(int orderUid, const QVariantMap& values) { return TTableStore::update({orderUid}, values); }
    bool remove(int orderUid) { return TTableStore::remove({orderUid}); }
    bool list(std::vector<TDbRow>& rows, const QString& orderBy = "OrderUID") { return TTableStore::list(rows, orderBy); }
};
