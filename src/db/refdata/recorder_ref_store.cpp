#include "recorder_ref_store.h"

#include "core/interaction.h"
#include "ref_change.h"

using namespace refdb;

QList<RecorderListRow> TRecorderRefStore::Recorders()
{
    QList<RecorderListRow> rows;
    for (const TDbRow& r : Rows(data_, "SELECT RegSerNum, CarNumber FROM T_Registrators ORDER BY RegSerNum"))
        rows.append({r.text("RegSerNum").trimmed(), r.text("CarNumber").trimmed()});
    return rows;
}

std::optional<RecorderValues> TRecorderRefStore::Recorder(const QString& serial)
{
    std::optional<TDbRow> r;
    if (!data_.SelectOne("SELECT RegSerNum, HWVersion, SWVersion, CarNumber FROM T_Registrators WHERE RegSerNum = ?",
                         {serial}, r) || !r)
        return std::nullopt;
    return RecorderValues{r->text("RegSerNum").trimmed(), r->integer("HWVersion"), r->integer("SWVersion"),
                          r->text("CarNumber").trimmed()};
}

TRecorderRefStore::CreateResult TRecorderRefStore::Create(const RecorderValues& rec)
{
    // The duplicate check and the insert use the upper-case form, in one transaction.
    const QString serial = rec.serial.toUpper();
    std::optional<TDbRow> existing;
    if (data_.SelectOne("SELECT RegSerNum FROM T_Registrators WHERE RegSerNum = ?", {serial}, existing) && existing) {
        data_.Rollback();
        data_.ui().warning(QString("Регистратор с номером \"%1\" уже есть в базе данных!").arg(serial));
        return CreateResult::Duplicate;
    }
    const TOpCodes codes{"E1401: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию",
                         "E1402: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию"};
    const bool ok = data_.RunOperation(codes, [&] {
        return data_.Exec("INSERT INTO T_Registrators (RegSerNum, HWVersion, SWVersion, Calibrated) VALUES (?, ?, ?, 0)",
                          {serial, rec.hwVersion, rec.swVersion});
    });
    return ok ? CreateResult::Created : CreateResult::Failed;
}

bool TRecorderRefStore::Change(const RecorderValues& r)
{
    const TOpCodes codes{"E1407: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию",
                         "E1408: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию"};
    return data_.RunOperation(codes, [&] {
        return data_.Exec("UPDATE T_Registrators SET HWVersion = ?, SWVersion = ? WHERE RegSerNum = ?",
                          {r.hwVersion, r.swVersion, r.serial});
    });
}

bool TRecorderRefStore::Delete(const QString& serial)
{
    const TOpCodes codes{"E1405: Ошибка при удалении: Информация не удалена! Попробуйте повторить операцию",
                         "E1406: Ошибка при удалении! Попробуйте повторить операцию"};
    return data_.RunOperation(codes, [&] {
        // Both statements are tried; either failing fails the whole change.
        const bool points = data_.Exec("DELETE FROM T_GRAD WHERE REGSERNUM = ?", {serial});
        const bool recorder = data_.Exec("DELETE FROM T_Registrators WHERE RegSerNum = ?", {serial});
        return points && recorder;
    });
}

bool TRecorderRefStore::Free(const QString& serial)
{
    const TOpCodes codes{"E1411: Ошибка при изменении данных: Информация не изменена! Попробуйте повторить операцию",
                         "E1412: Ошибка при изменении данных: Информация не изменена! Попробуйте повторить операцию"};
    return data_.RunOperation(codes, [&] {
        // The tank 1 table goes with the car; the tank 2 table stays.
        return data_.Exec("UPDATE T_Registrators SET Calibrated = 0, CarNumber = '', Tank1K = ? WHERE RegSerNum = ?",
                          {QByteArray(""), serial});
    });
}
