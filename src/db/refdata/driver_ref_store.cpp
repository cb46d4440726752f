#include "driver_ref_store.h"

#include "core/interaction.h"
#include "ref_change.h"

using namespace refdb;

QList<DriverValues> TDriverRefStore::Drivers()
{
    QList<DriverValues> rows;
    for (const TDbRow& r : Rows(data_, "SELECT UID, DRIVERSNAME, DRIVERNAME, DRIVERFNAME FROM T_Drivers "
                                       "ORDER BY DRIVERSNAME, DRIVERNAME"))
        rows.append({r.integer("UID"), r.text("DRIVERSNAME"), r.text("DRIVERNAME"), r.text("DRIVERFNAME")});
    return rows;
}

int TDriverRefStore::findUid(const DriverValues& d)
{
    std::optional<TDbRow> r;
    if (!data_.SelectOne("SELECT UID FROM T_Drivers WHERE DRIVERSNAME = ? AND DRIVERNAME = ? AND DRIVERFNAME = ?",
                         {d.surname, d.name, d.patronymic}, r))
        return -2;
    return r ? r->integer("UID") : -1;
}

int TDriverRefStore::Add(const DriverValues& d)
{
    const TOpCodes codes{"E1501: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию",
                         "E1502: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию"};
    // The duplicate check runs in the transaction of the insert.
    const int existing = findUid(d);
    if (existing >= 0) {
        data_.Rollback();
        data_.ui().warning("Такой водитель уже есть в базе данных!");
        return -1;
    }
    const bool ok = data_.RunOperation(codes, [&] {
        return existing == -1 && data_.Exec("INSERT INTO T_Drivers (DRIVERSNAME, DRIVERNAME, DRIVERFNAME) VALUES (?, ?, ?)",
                                            {d.surname, d.name, d.patronymic});
    });
    return ok ? findUid(d) : -1;
}

bool TDriverRefStore::Change(const DriverValues& d)
{
    const TOpCodes codes{"E1505: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию",
                         "E1506: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию"};
    return data_.RunOperation(codes, [&] {
        return data_.Exec("UPDATE T_Drivers SET DRIVERSNAME = ?, DRIVERNAME = ?, DRIVERFNAME = ? WHERE UID = ?",
                          {d.surname, d.name, d.patronymic, d.uid});
    });
}

bool TDriverRefStore::Delete(const DriverValues& d)
{
    const TOpCodes codes{"E1503: Ошибка при удалении: Информация не удалена! Попробуйте повторить операцию",
                         "E1504: Ошибка при удалении! Попробуйте повторить операцию"};
    return data_.RunOperation(codes, [&] {
        // Only while the names still match the row: a row edited meanwhile is left alone.
        const QString names = "DRIVERSNAME = ? AND DRIVERNAME = ? AND DRIVERFNAME = ?";
        if (d.uid >= 0)
            return data_.Exec("DELETE FROM T_Drivers WHERE UID = ? AND " + names, {d.uid, d.surname, d.name, d.patronymic});
        return data_.Exec("DELETE FROM T_Drivers WHERE " + names, {d.surname, d.name, d.patronymic});
    });
}
