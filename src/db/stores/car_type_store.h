#pragma once
// Car types (T_CarTypes): UID assigned by the database, the name unique by the program's check.
#include "table_store.h"

class TCarTypeStore : public TTableStore {
public:
    explicit TCarTypeStore(TData& data) : TTableStore(data, "T_CarTypes", {"UID"}) {}

    // Inserts and reads back the UID the database gave the row.
    bool insert(const QVariantMap& values, int& uid);
    bool find(int uid, std::optional<TDbRow>& row) { return TTableStore::find({uid}, row); }
    bool findByName(const QString& name, std::optional<TDbRow>& row);
    bool update(int uid, const QVariantMap& values) { return TTableStore::update({uid}, values); }
    bool remove(int uid) { return TTableStore::remove({uid}); }
    bool list(std::vector<TDbRow>& rows, const QString& orderBy = {}) { return TTableStore::list(rows, orderBy); }
};
