#pragma once
// One change of the reference tables: the statements run in the shared transaction (started when it
// is not active) and end with a commit, or with a rollback at the first failed statement. Each change
// owns two messages: one for a failed statement, one for a failed commit or rollback.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>

class Interaction;

namespace refdb {

enum class ChangeStatus { Done, StatementFailed, EndFailed };

// A statement failed; thrown by Exec inside a change and caught by RunChange.
struct StatementError {
    QString text;
};

// Prepares and runs one statement with its values bound in order.
// Throws StatementError on failure (inside a change) and returns the executed query otherwise.
QSqlQuery Exec(QSqlDatabase& db, const QString& sql, const QVariantList& values = {});

// The same for reads outside a change: false on any failure, and the query is left as it is.
bool TryExec(QSqlQuery& q, const QString& sql, const QVariantList& values = {});

// Runs body in one transaction. body may throw StatementError or return false to fail the change.
ChangeStatus RunChange(QSqlDatabase& db, const std::function<bool()>& body);

// Shows the first message for StatementFailed, the second for EndFailed; true for Done.
bool Report(ChangeStatus status, Interaction& ui, const QString& statementFailed, const QString& endFailed);

// NULL when the text is empty.
QVariant TextOrNull(const QString& text);

// A text blob read back (a QString, or bytes in UTF-8).
QString BlobText(const QVariant& v);

}  // namespace refdb
