#include "recorder_ref_store.h"

#include "core/interaction.h"
#include "ref_change.h"

#include <QSqlQuery>

using namespace refdb;

QList<RecorderListRow> TRecorderRefStore::Recorders()
{
    QList<RecorderListRow> rows;
    QSqlQuery q(db_);
    if (TryExec(q, "SELECT RegSerNum, CarNumber FROM T_Registrators ORDER BY RegSerNum"))
        while (q.next()) rows.append({q.value(0).toString().trimmed(), q.value(1).toString().trimmed()});
    return rows;
}

std::optional<RecorderValues> TRecorderRefStore::Recorder(const QString& serial)
{
    QSqlQuery q(db_);
    if (!TryExec(q, "SELECT RegSerNum, HWVersion, SWVersion, CarNumber FROM T_Registrators WHERE RegSerNum = ?",
                 {serial}) || !q.next())
        return std::nullopt;
    return RecorderValues{q.value(0).toString().trimmed(), q.value(1).toInt(), q.value(2).toInt(),
                          q.value(3).toString().trimmed()};
}

TRecorderRefStore::CreateResult TRecorderRefStore::Create(const RecorderValues& r)
{
    bool duplicate = false;
    const QString serial = r.serial.toUpper();
    const auto status = RunChange(db_, [&] {
        QSqlQuery q = Exec(db_, "SELECT RegSerNum FROM T_Registrators WHERE RegSerNum = ?", {serial});
        if (q.next()) {
            duplicate = true;
            return false;
        }
        Exec(db_, "INSERT INTO T_Registrators (RegSerNum, HWVersion, SWVersion, Calibrated) VALUES (?, ?, ?, 0)",
             {serial, r.hwVersion, r.swVersion});
        return true;
    });
    if (duplicate && status == ChangeStatus::StatementFailed) {
        ui_.warning(QString("Регистратор с номером \"%1\" уже есть в базе данных!").arg(serial));
        return CreateResult::Duplicate;
    }
    return Report(status, ui_, "E1401: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию",
                  "E1402: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию")
               ? CreateResult::Created
               : CreateResult::Failed;
}

bool TRecorderRefStore::Change(const RecorderValues& r)
{
    const auto status = RunChange(db_, [&] {
        Exec(db_, "UPDATE T_Registrators SET HWVersion = ?, SWVersion = ? WHERE RegSerNum = ?",
             {r.hwVersion, r.swVersion, r.serial});
        return true;
    });
    return Report(status, ui_, "E1407: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию",
                  "E1408: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию");
}

bool TRecorderRefStore::Delete(const QString& serial)
{
    const auto status = RunChange(db_, [&] {
        // Both statements are tried; either failing fails the whole change.
        bool ok = true;
        QSqlQuery q(db_);
        ok &= TryExec(q, "DELETE FROM T_GRAD WHERE REGSERNUM = ?", {serial});
        ok &= TryExec(q, "DELETE FROM T_Registrators WHERE RegSerNum = ?", {serial});
        return ok;
    });
    return Report(status, ui_, "E1405: Ошибка при удалении: Информация не удалена! Попробуйте повторить операцию",
                  "E1406: Ошибка при удалении! Попробуйте повторить операцию");
}

bool TRecorderRefStore::Free(const QString& serial)
{
    const auto status = RunChange(db_, [&] {
        // The tank 1 table goes with the car; the tank 2 table stays.
        Exec(db_, "UPDATE T_Registrators SET Calibrated = 0, CarNumber = '', Tank1K = ? WHERE RegSerNum = ?",
             {QByteArray(""), serial});
        return true;
    });
    return Report(status, ui_,
                  "E1411: Ошибка при изменении данных: Информация не изменена! Попробуйте повторить операцию",
                  "E1412: Ошибка при изменении данных: Информация не изменена! Попробуйте повторить операцию");
}
