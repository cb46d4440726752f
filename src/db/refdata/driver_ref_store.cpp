#include "driver_ref_store.h"

#include "core/interaction.h"
#include "ref_change.h"

#include <QSqlQuery>

using namespace refdb;

namespace {

const char* kFindDriver = "SELECT UID FROM T_Drivers WHERE DRIVERSNAME = ? AND DRIVERNAME = ? AND DRIVERFNAME = ?";

}  // namespace

QList<DriverValues> TDriverRefStore::Drivers()
{
    QList<DriverValues> rows;
    QSqlQuery q(db_);
    if (TryExec(q, "SELECT UID, DRIVERSNAME, DRIVERNAME, DRIVERFNAME FROM T_Drivers ORDER BY DRIVERSNAME, DRIVERNAME"))
        while (q.next())
            rows.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()});
    return rows;
}

int TDriverRefStore::findUid(const DriverValues& d)
{
    QSqlQuery q = Exec(db_, kFindDriver, {d.surname, d.name, d.patronymic});
    return q.next() ? q.value(0).toInt() : -1;
}

int TDriverRefStore::Add(const DriverValues& d)
{
    bool duplicate = false;
    const auto status = RunChange(db_, [&] {
        if (findUid(d) >= 0) {
            duplicate = true;
            return false;
        }
        Exec(db_, "INSERT INTO T_Drivers (DRIVERSNAME, DRIVERNAME, DRIVERFNAME) VALUES (?, ?, ?)",
             {d.surname, d.name, d.patronymic});
        return true;
    });
    if (duplicate && status == ChangeStatus::StatementFailed) {
        ui_.warning("Такой водитель уже есть в базе данных!");
        return -1;
    }
    if (!Report(status, ui_, "E1501: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию",
                "E1502: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию"))
        return -1;
    try {
        return findUid(d);
    } catch (const StatementError&) {
        return -1;
    }
}

bool TDriverRefStore::Change(const DriverValues& d)
{
    const auto status = RunChange(db_, [&] {
        Exec(db_, "UPDATE T_Drivers SET DRIVERSNAME = ?, DRIVERNAME = ?, DRIVERFNAME = ? WHERE UID = ?",
             {d.surname, d.name, d.patronymic, d.uid});
        return true;
    });
    return Report(status, ui_, "E1505: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию",
                  "E1506: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию");
}

bool TDriverRefStore::Delete(const DriverValues& d)
{
    const auto status = RunChange(db_, [&] {
        const QString names = "DRIVERSNAME = ? AND DRIVERNAME = ? AND DRIVERFNAME = ?";
        if (d.uid >= 0)
            Exec(db_, "DELETE FROM T_Drivers WHERE UID = ? AND " + names, {d.uid, d.surname, d.name, d.patronymic});
        else
            Exec(db_, "DELETE FROM T_Drivers WHERE " + names, {d.surname, d.name, d.patronymic});
        return true;
    });
    return Report(status, ui_, "E1503: Ошибка при удалении: Информация не удалена! Попробуйте повторить операцию",
                  "E1504: Ошибка при удалении! Попробуйте повторить операцию");
}
