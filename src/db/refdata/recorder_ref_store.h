#pragma once
// Reads and changes of the recorders window. Versions are stored as version x 100.
#include <QList>
#include <optional>

class TData;

struct RecorderListRow {
    QString serial;
    QString carNumber;  // empty when the recorder is free
};

struct RecorderValues {
    QString serial;
    int hwVersion = 0;
    int swVersion = 0;
    QString carNumber;
};

class TRecorderRefStore {
public:
    explicit TRecorderRefStore(TData& data) : data_(data) {}

    QList<RecorderListRow> Recorders();
    std::optional<RecorderValues> Recorder(const QString& serial);

    enum class CreateResult { Created, Duplicate, Failed };
    // In one transaction: the duplicate check (warning shown, nothing written) and the insert.
    CreateResult Create(const RecorderValues& r);      // E1401 / E1402
    bool Change(const RecorderValues& r);              // E1407 / E1408
    bool Delete(const QString& serial);                // with its T_GRAD rows; E1405 / E1406
    bool Free(const QString& serial);                  // E1411 / E1412

private:
    TData& data_;
};
