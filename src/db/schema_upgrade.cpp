#include "schema_upgrade.h"

#include "data.h"
#include "interaction.h"

namespace {

const char* const CreateService = "CREATE TABLE T_SERVICE (DB_VERSION SMALLINT NOT NULL);";

// The version-2 step, in this order, in one transaction.
const char* const Version2Statements[] = {
    "CREATE TABLE T_GRAD (REGSERNUM CHAR(21) NOT NULL, TYPE_GRAD SMALLINT NOT NULL, U FLOAT NOT NULL, "
    "U_POWER FLOAT, VAL FLOAT);",
    "ALTER TABLE T_GRAD ADD CONSTRAINT PK_T_GRAD PRIMARY KEY (REGSERNUM, TYPE_GRAD, U)",
    "ALTER TABLE T_Cars ADD CARUSEPOWERFORTEMP SMALLINT DEFAULT 0, ADD AInputBak2Type INTEGER DEFAULT 0, "
    "ADD AInputBak2Param FLOAT DEFAULT 0, ADD AInputBak2Descr VARCHAR(100), ADD AInputBak2R0 FLOAT DEFAULT 0, "
    "ADD AInputBak2T0 FLOAT DEFAULT 0, ADD AInputBak2RObr FLOAT DEFAULT 0, ADD AInput6Type INTEGER DEFAULT 0, "
    "ADD AInput6Param FLOAT DEFAULT 0, ADD AInput6Descr VARCHAR(100), ADD DInput3Type INTEGER DEFAULT 0, "
    "ADD DInput3Param FLOAT DEFAULT 0, ADD DInput3Level INTEGER DEFAULT 0, ADD DInput3Descr VARCHAR(100), "
    "ADD DInput4Type INTEGER DEFAULT 0, ADD DInput4Param FLOAT DEFAULT 0, ADD DInput4Level INTEGER DEFAULT 0, "
    "ADD DInput4Descr VARCHAR(100);",
    "ALTER TABLE T_CarTypes ADD DefaultUSEPOWERFORTEMP SMALLINT DEFAULT 0, ADD DefaultAInputBak2Type INTEGER "
    "DEFAULT 0, ADD DefaultAInputBak2Param FLOAT DEFAULT 0, ADD DefaultAInputBak2Descr VARCHAR(100), "
    "ADD DefaultAInputBak2R0 FLOAT DEFAULT 0, ADD DefaultAInputBak2T0 FLOAT DEFAULT 0, ADD DefaultAInputBak2RObr "
    "FLOAT DEFAULT 0, ADD DefaultAInput6Type INTEGER DEFAULT 0, ADD DefaultAInput6Param FLOAT DEFAULT 0, "
    "ADD DefaultAInput6Descr VARCHAR(100), ADD DefaultDInput3Type INTEGER DEFAULT 0, ADD DefaultDInput3Param "
    "FLOAT DEFAULT 0, ADD DefaultDInput3Level INTEGER DEFAULT 0, ADD DefaultDInput3Descr VARCHAR(100), "
    "ADD DefaultDInput4Type INTEGER DEFAULT 0, ADD DefaultDInput4Param FLOAT DEFAULT 0, ADD DefaultDInput4Level "
    "INTEGER DEFAULT 0, ADD DefaultDInput4Descr VARCHAR(100);",
};

// One run of the upgrade: the versions it found and reached and whether a guarded step failed.
class Upgrade {
public:
    explicit Upgrade(TData& data) : d_(data) {}

    // False when the upgrade could not run at all (E0011).
    bool run()
    {
        if (!d_.StartTransaction()) return false;
        QStringList tables;
        if (!d_.UserTables(tables)) return false;
        if (!tables.contains("T_SERVICE", Qt::CaseInsensitive)) {
            createService();
        } else {
            std::optional<TDbRow> row;
            if (!d_.SelectOne("SELECT DB_VERSION FROM T_SERVICE;", {}, row)) return false;
            if (row) cur_ = row->integer("DB_VERSION");
            // The current version, or one this program does not know: nothing to do, nothing said.
            if (cur_ >= CurrentSchemaVersion || cur_ < 0) {
                done_ = true;
                return true;
            }
        }
        if (cur_ < 2) version2Step();
        if (cur_ < new_) writeVersion();
        return true;
    }

    bool finished() const { return done_; }
    bool failed() const { return error_; }
    int reached() const { return new_; }

private:
    bool execAndRestart(const QString& sql, const QVariantList& values = {})
    {
        return d_.Exec(sql, values) && d_.Commit() && d_.StartTransaction();
    }

    void createService()
    {
        cur_ = 1;
        if (!execAndRestart(CreateService)) {
            error_ = true;
            return;
        }
        if (!execAndRestart("INSERT INTO T_SERVICE (DB_VERSION) VALUES (?);", {cur_})) {
            error_ = true;
            return;
        }
        new_ = 1;
    }

    // Firebird takes these statements in one transaction: a failure leaves the transaction
    // active and the closing rollback removes every part of the step.
    void version2Step()
    {
        if (!d_.StartTransaction()) {
            error_ = true;
            return;
        }
        for (const char* sql : Version2Statements)
            if (!d_.Exec(sql)) {
                error_ = true;
                return;
            }
        if (d_.InTransaction() && !d_.Commit()) {
            error_ = true;
            return;
        }
        new_ = 2;
    }

    void writeVersion()
    {
        if (!d_.StartTransaction() || !d_.Exec("UPDATE T_SERVICE SET DB_VERSION=?;", {new_}) || !d_.Commit())
            error_ = true;
    }

    TData& d_;
    int cur_ = 0;
    int new_ = 0;
    bool error_ = false;
    bool done_ = false;
};

}  // namespace

void UpgradeSchema(TData& data)
{
    Interaction& ui = data.ui();
    Upgrade up(data);
    const bool ran = up.run();
    if (ran && up.finished()) return;
    if (!ran)
        ui.error("E0011: Ошибка при обновлении структуры базы данных!");
    else if (up.failed())
        ui.error(QString("E0010: Ошибка при обновлении структуры базы данных (новая версия: %1)!").arg(up.reached()));
    else
        ui.information(QString("Выполнено обновление структуры базы данных до версии %1").arg(up.reached()));
    if (data.InTransaction() && !data.Rollback()) ui.error("E0012: Ошибка при обновлении структуры базы данных!");
}
