#pragma once
// TData, the database module: the one connection, the one main transaction that every window
// shares, and the helper through which every operation runs its statements. All values are bound
// as parameters; a failed statement is shown as it was sent (the SQL monitor) before the
// operation's own message.
#include "db_row.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <vector>

class Interaction;

// The pair of messages an operation owns: the first for a failed statement (after the rollback),
// the second for a failed commit or rollback. Full texts ("E1104: ...").
struct TOpCodes {
    QString statementFailed;
    QString endFailed;
};

class TData {
public:
    // user/password: the connection's login (SYSDBA / plumbline unless configured otherwise).
    TData(Interaction& ui, QString user = "SYSDBA", QString password = "plumbline");
    ~TData();
    TData(const TData&) = delete;
    TData& operator=(const TData&) = delete;

    Interaction& ui() const { return ui_; }
    void setLogin(const QString& user, const QString& password);

    // Connection. location: a file path (embedded engine) or a server location "host:/path".
    bool Open(const QString& location);
    void Close();
    bool IsConnected() const;
    QString Location() const { return location_; }
    QString LastErrorText() const { return lastError_; }
    QSqlDatabase& Connection() { return db_; }

    // The main transaction.
    bool InTransaction() const { return inTransaction_; }
    bool StartTransaction();       // starts it when it is not active
    bool Commit();                 // false when the commit failed (the transaction is then ended)
    bool Rollback();

    // Runs one statement in the main transaction (started when inactive) with its values bound
    // positionally ("?"). A failure shows the statement text and returns false.
    bool Exec(const QString& sql, const QVariantList& values = {});
    // As Exec, then collects the rows of a query (column names upper case), at most maxRows
    // when that is not negative.
    bool Select(const QString& sql, const QVariantList& values, std::vector<TDbRow>& rows, qsizetype maxRows = -1);
    // The first row of a query; false when the statement failed, an empty row when none matched.
    // Also for INSERT ... RETURNING, whose single row the driver would repeat without end.
    bool SelectOne(const QString& sql, const QVariantList& values, std::optional<TDbRow>& row);

    // The pattern every changing operation follows: start the transaction when inactive, run the
    // body (false or an exception = failed), then commit; on failure roll back and show the first
    // message; a failed commit or rollback shows the second. True when everything succeeded.
    bool RunOperation(const TOpCodes& codes, const std::function<bool()>& body);

    // Names of the user tables (upper case), system tables excluded.
    bool UserTables(QStringList& names);

private:
    void reportStatement(const QString& sql, const QString& error);
    void dropAfterFailedEnd();
    qlonglong currentAttachment();

    Interaction& ui_;
    QString connectionName_;
    QSqlDatabase db_;
    QString location_;
    QString lastError_;
    bool inTransaction_ = false;
    qlonglong attachmentId_ = 0;  // the engine's number of this connection
};
