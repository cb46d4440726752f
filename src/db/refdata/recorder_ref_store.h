#pragma once
// Reads and changes of the recorders window. Versions are stored as version x 100.
#include <QList>
#include <QSqlDatabase>
#include <optional>

class Interaction;

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
    TRecorderRefStore(QSqlDatabase db, Interaction& ui) : db_(db), ui_(ui) {}

    QList<RecorderListRow> Recorders();
    std::optional<RecorderValues> Recorder(const QString& serial);

    enum class CreateResult { Created, Duplicate, Failed };
    // In one transaction: the duplicate check (warning shown, nothing written) and the insert.
    CreateResult Create(const RecorderValues& r);      // E1401 / E1402
    bool Change(const RecorderValues& r);              // E1407 / E1408
    bool Delete(const QString& serial);                // with its T_GRAD rows; E1405 / E1406
    bool Free(const QString& serial);                  // E1411 / E1412

private:
    QSqlDatabase db_;
    Interaction& ui_;
};
