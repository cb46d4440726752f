#pragma once
// Reads and changes of the carriers window.
#include <QDate>
#include <QList>
#include <optional>

class TData;

struct CarrierListRow {
    QString serial;
    int hasOrder = 0;
    int inUse = 0;
};

struct CarrierValues {
    QString serial;
    QDate initDate, lastWriteDate, lastReadDate;  // invalid for NULL
    bool inUse = false;
};

class TCarrierRefStore {
public:
    explicit TCarrierRefStore(TData& data) : data_(data) {}

    QList<CarrierListRow> Carriers();
    std::optional<CarrierValues> Carrier(const QString& serial);

    enum class CreateResult { Created, Duplicate, Failed };
    CreateResult Create(const CarrierValues& c);          // duplicate warning, E1001 / E1002
    bool Change(const QString& serial, bool inUse);        // E1007 / E1008
    bool Delete(const QString& serial);                    // E1005 / E1006

private:
    TData& data_;
};
