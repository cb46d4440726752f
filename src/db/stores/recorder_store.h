#pragma once
// Recorders (T_Registrators), keyed by the 21-character serial number; the tank calibration
// tables Tank1K and Tank2K are binary blobs.
#include "table_store.h"

class TRecorderStore : public TTableStore {
public:
    explicit TRecorderStore(TData& data) : TTableStore(data, "T_Registrators", {"RegSerNum"}) {}

    bool find(const QString& serial, std::optional<TDbRow>& row) { return TTableStore::find({serial}, row); }
    // The recorder installed in a car (CarNumber = number).
    bool findByCar(const QString& carNumber, std::optional<TDbRow>& row);
    bool update(const QString& serial, const QVariantMap& values) { return TTableStore::update({serial}, values); }
    bool remove(const QString& serial) { return TTableStore::remove({serial}); }
    bool list(std::vector<TDbRow>& rows) { return TTableStore::list(rows, "RegSerNum"); }
};
