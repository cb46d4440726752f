#include "db_create.h"

#include "schema_script.h"

#include <ibase.h>

namespace {

QString quoted(QString text) { return '\'' + text.replace('\'', "''") + '\''; }

// The engine's messages of a failed call, one per line.
QString statusText(const ISC_STATUS* status)
{
    QString out;
    char buf[1024];
    const ISC_STATUS* p = status;
    while (fb_interpret(buf, sizeof buf, &p) > 0) {
        if (!out.isEmpty()) out += '\n';
        out += QString::fromLocal8Bit(buf);
    }
    return out;
}

class Attachment {
public:
    ~Attachment()
    {
        ISC_STATUS_ARRAY st;
        if (tr_) isc_rollback_transaction(st, &tr_);
        if (db_) isc_detach_database(st, &db_);
    }

    // Runs one statement; with an attachment it runs in a transaction of its own and is committed,
    // so that later statements see the tables of earlier ones.
    bool run(const QByteArray& sql, QString& error)
    {
        ISC_STATUS_ARRAY st;
        if (db_ && isc_start_transaction(st, &tr_, 1, &db_, 0, nullptr)) return fail(st, error);
        if (sql.size() > 65535) {
            error = "statement too long";
            return false;
        }
        if (isc_dsql_execute_immediate(st, &db_, &tr_, (unsigned short)sql.size(), sql.constData(), 3, nullptr))
            return fail(st, error);
        if (tr_ && isc_commit_transaction(st, &tr_)) return fail(st, error);
        return true;
    }

private:
    static bool fail(const ISC_STATUS* st, QString& error)
    {
        error = statusText(st);
        return false;
    }
    isc_db_handle db_ = 0;
    isc_tr_handle tr_ = 0;
};

}  // namespace

bool CreateDatabase(const QString& location, const QString& user, const QString& password, QString& error)
{
    const QStringList statements = SchemaV1Statements();
    if (statements.isEmpty()) {
        error = "the schema script is missing";
        return false;
    }
    Attachment db;
    const QString create = QString("CREATE DATABASE %1 USER %2 PASSWORD %3 PAGE_SIZE 8192 DEFAULT CHARACTER SET UTF8")
                               .arg(quoted(location), quoted(user), quoted(password));
    if (!db.run(create.toUtf8(), error)) return false;
    for (const QString& s : statements)
        if (!db.run(s.toUtf8(), error)) return false;
    return true;
}
