#include "data.h"

#include "interaction.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <exception>

namespace {
QString nextConnectionName()
{
    static QAtomicInt counter;
    return QString("kemdb-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString errorText(const QSqlError& e)
{
    QString t = e.databaseText();
    if (t.isEmpty()) t = e.text();
    return t.trimmed();
}
}  // namespace

TData::TData(Interaction& ui, QString user, QString password) : ui_(ui), connectionName_(nextConnectionName())
{
    db_ = QSqlDatabase::addDatabase("QIBASE", connectionName_);
    setLogin(user, password);
    // Texts travel as UTF-8; the server converts to and from a database's own character set.
    db_.setConnectOptions("ISC_DPB_LC_CTYPE=UTF8");
}

TData::~TData()
{
    Close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

void TData::setLogin(const QString& user, const QString& password)
{
    db_.setUserName(user);
    db_.setPassword(password);
}

bool TData::Open(const QString& location)
{
    Close();
    location_ = location;
    db_.setDatabaseName(location);
    if (!db_.open() || !db_.isOpen()) {
        lastError_ = errorText(db_.lastError());
        return false;
    }
    lastError_.clear();
    attachmentId_ = currentAttachment();
    return true;
}

void TData::Close()
{
    if (db_.isOpen()) {
        if (inTransaction_) db_.rollback();
        db_.close();
    }
    inTransaction_ = false;
}

bool TData::IsConnected() const { return db_.isOpen(); }

bool TData::StartTransaction()
{
    if (inTransaction_) return true;
    if (!db_.isOpen() || !db_.transaction()) {
        lastError_ = db_.isOpen() ? errorText(db_.lastError()) : QString("database is not open");
        return false;
    }
    inTransaction_ = true;
    return true;
}

bool TData::Commit()
{
    if (!inTransaction_) return true;
    inTransaction_ = false;
    if (db_.commit()) return true;
    lastError_ = errorText(db_.lastError());
    dropAfterFailedEnd();
    return false;
}

bool TData::Rollback()
{
    if (!inTransaction_) return true;
    inTransaction_ = false;
    if (db_.rollback()) return true;
    lastError_ = errorText(db_.lastError());
    dropAfterFailedEnd();
    return false;
}

qlonglong TData::currentAttachment()
{
    QSqlQuery q(db_);
    if (q.exec("SELECT CURRENT_CONNECTION FROM RDB$DATABASE") && q.next()) return q.value(0).toLongLong();
    return 0;
}

// The driver forgets a transaction whose commit or rollback failed, although the engine keeps it
// with its changes and locks, and the engine refuses to detach a connection with an open
// transaction. So the connection is opened again and the old attachment is ended through the
// monitoring tables, which rolls its transaction back and frees its locks.
void TData::dropAfterFailedEnd()
{
    const QString keep = lastError_;
    const qlonglong old = attachmentId_;
    db_.close();
    db_.setDatabaseName(location_);
    if (db_.open()) {
        if (old > 0) {
            QSqlQuery q(db_);
            q.prepare("DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = ?");
            q.addBindValue(old);
            q.exec();
        }
        attachmentId_ = currentAttachment();
    }
    lastError_ = keep;
}

void TData::reportStatement(const QString& sql, const QString& error)
{
    lastError_ = error;
    ui_.plain(sql + "\n\n" + error);
}

bool TData::Exec(const QString& sql, const QVariantList& values)
{
    std::vector<TDbRow> none;
    return Select(sql, values, none);
}

bool TData::Select(const QString& sql, const QVariantList& values, std::vector<TDbRow>& rows, qsizetype maxRows)
{
    rows.clear();
    if (!StartTransaction()) {
        reportStatement(sql, lastError_);
        return false;
    }
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    bool ok = q.prepare(sql);
    if (ok) {
        for (const QVariant& v : values) q.addBindValue(v);
        ok = q.exec();
    }
    if (!ok) {
        reportStatement(sql, errorText(q.lastError()));
        return false;
    }
    if (!q.isSelect()) return true;
    const QSqlRecord rec = q.record();
    while ((maxRows < 0 || qsizetype(rows.size()) < maxRows) && q.next()) {
        QVariantMap m;
        for (int i = 0; i < rec.count(); ++i) m.insert(rec.fieldName(i).toUpper(), q.value(i));
        rows.emplace_back(std::move(m));
    }
    if (q.lastError().isValid()) {
        reportStatement(sql, errorText(q.lastError()));
        return false;
    }
    return true;
}

bool TData::SelectOne(const QString& sql, const QVariantList& values, std::optional<TDbRow>& row)
{
    std::vector<TDbRow> rows;
    row.reset();
    if (!Select(sql, values, rows, 1)) return false;
    if (!rows.empty()) row = std::move(rows.front());
    return true;
}

bool TData::RunOperation(const TOpCodes& codes, const std::function<bool()>& body)
{
    bool ok = false;
    try {
        ok = StartTransaction() && body();
    } catch (const std::exception& e) {
        lastError_ = QString::fromUtf8(e.what());
        ok = false;
    }
    if (!inTransaction_) {
        // Nothing to end (the transaction could not start): the statement part failed.
        if (!ok) ui_.error(codes.statementFailed);
        return ok;
    }
    if (ok) {
        if (Commit()) return true;
        ui_.error(codes.endFailed);
        return false;
    }
    const bool rolledBack = Rollback();
    ui_.error(codes.statementFailed);
    if (!rolledBack) ui_.error(codes.endFailed);
    return false;
}

bool TData::UserTables(QStringList& names)
{
    names.clear();
    std::vector<TDbRow> rows;
    if (!Select("SELECT TRIM(RDB$RELATION_NAME) AS NAME FROM RDB$RELATIONS "
                "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL",
                {}, rows))
        return false;
    for (const TDbRow& r : rows) names << r.text("NAME").toUpper();
    return true;
}
