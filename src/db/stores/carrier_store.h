#pragma once
// Carriers (T_Carriers), keyed by serial number. HasOrder is derived by the database (the orders
// in state 1 written to the carrier) and is never written.
#include "table_store.h"

class TCarrierStore : public TTableStore {
public:
    explicit TCarrierStore(TData& data) : TTableStore(data, "T_Carriers", {"SerNum"}) {}

    bool find(const QString& serial, std::optional<TDbRow>& row) { return TTableStore::find({serial}, row); }
    bool update(const QString& serial, const QVariantMap& values) { return TTableStore::update({serial}, values); }
    bool remove(const QString& serial) { return TTableStore::remove({serial}); }
    bool list(std::vector<TDbRow>& rows) { return TTableStore::list(rows, "SerNum"); }
};
