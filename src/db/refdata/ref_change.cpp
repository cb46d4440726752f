#include "ref_change.h"

#include "core/interaction.h"

#include <QSqlError>

namespace refdb {

bool TryExec(QSqlQuery& q, const QString& sql, const QVariantList& values)
{
    if (!q.prepare(sql)) return false;
    for (const QVariant& v : values) q.addBindValue(v);
    return q.exec();
}

QSqlQuery Exec(QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery q(db);
    if (!TryExec(q, sql, values)) throw StatementError{q.lastError().text()};
    return q;
}

ChangeStatus RunChange(QSqlDatabase& db, const std::function<bool()>& body)
{
    if (!db.transaction()) {
        // A read left the transaction open: end it so the change gets a fresh one.
        db.commit();
        if (!db.transaction()) return ChangeStatus::StatementFailed;
    }
    bool ok = false;
    try {
        ok = body();
    } catch (const StatementError&) {
        ok = false;
    }
    if (ok) {
        if (db.commit()) return ChangeStatus::Done;
        // The server refused the commit: undo what the change did.
        db.rollback();
        return ChangeStatus::EndFailed;
    }
    return db.rollback() ? ChangeStatus::StatementFailed : ChangeStatus::EndFailed;
}

bool Report(ChangeStatus status, Interaction& ui, const QString& statementFailed, const QString& endFailed)
{
    switch (status) {
    case ChangeStatus::Done: return true;
    case ChangeStatus::StatementFailed: ui.error(statementFailed); return false;
    case ChangeStatus::EndFailed: ui.error(endFailed); return false;
    }
    return false;
}

QVariant TextOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(text);
}

QString BlobText(const QVariant& v)
{
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QByteArray) return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

}  // namespace refdb
