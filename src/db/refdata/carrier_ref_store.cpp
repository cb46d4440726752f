#include "carrier_ref_store.h"

#include "core/interaction.h"
#include "ref_change.h"

#include <QSqlQuery>

using namespace refdb;

namespace {

QDate DateOf(const QVariant& v) { return v.isNull() ? QDate() : v.toDateTime().date(); }

QVariant DateValue(const QDate& d)
{
    return d.isValid() ? QVariant(d.startOfDay()) : QVariant(QMetaType(QMetaType::QDateTime));
}

}  // namespace

QList<CarrierListRow> TCarrierRefStore::Carriers()
{
    QList<CarrierListRow> rows;
    QSqlQuery q(db_);
    if (TryExec(q, "SELECT SerNum, HasOrder, InUse FROM T_Carriers ORDER BY SerNum"))
        while (q.next()) rows.append({q.value(0).toString().trimmed(), q.value(1).toInt(), q.value(2).toInt()});
    return rows;
}

std::optional<CarrierValues> TCarrierRefStore::Carrier(const QString& serial)
{
    QSqlQuery q(db_);
    if (!TryExec(q, "SELECT SerNum, InitDate, LastOrderWriteDate, LastOrderReadDate, InUse FROM T_Carriers "
                    "WHERE SerNum = ?", {serial}) || !q.next())
        return std::nullopt;
    return CarrierValues{q.value(0).toString().trimmed(), DateOf(q.value(1)), DateOf(q.value(2)),
                         DateOf(q.value(3)), q.value(4).toInt() > 0};
}

TCarrierRefStore::CreateResult TCarrierRefStore::Create(const CarrierValues& c)
{
    const QString serial = c.serial.toUpper();
    {
        QSqlQuery q(db_);
        if (TryExec(q, "SELECT SerNum FROM T_Carriers WHERE SerNum = ?", {serial}) && q.next()) {
            ui_.warning(QString("Носитель с серийным номером \"%1\" уже есть в базе данных!").arg(c.serial));
            return CreateResult::Duplicate;
        }
    }
    const auto status = RunChange(db_, [&] {
        Exec(db_, "INSERT INTO T_Carriers (SerNum, InitDate, LastOrderWriteDate, LastOrderReadDate, InUse) "
                  "VALUES (?, ?, ?, ?, ?)",
             {serial, DateValue(c.initDate), DateValue(c.lastWriteDate), DateValue(c.lastReadDate), c.inUse ? 1 : 0});
        return true;
    });
    return Report(status, ui_, "E1001: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию",
                  "E1002: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию")
               ? CreateResult::Created
               : CreateResult::Failed;
}

bool TCarrierRefStore::Change(const QString& serial, bool inUse)
{
    const auto status = RunChange(db_, [&] {
        Exec(db_, "UPDATE T_Carriers SET InUse = ? WHERE SerNum = ?", {inUse ? 1 : 0, serial.toUpper()});
        return true;
    });
    return Report(status, ui_,
                  "E1007: Ошибка при изменении данных: Информация не обновлена! Попробуйте повторить операцию",
                  "E1008: Ошибка при изменении данных: Информация не обновлена! Попробуйте повторить операцию");
}

bool TCarrierRefStore::Delete(const QString& serial)
{
    const auto status = RunChange(db_, [&] {
        Exec(db_, "DELETE FROM T_Carriers WHERE SerNum = ?", {serial.toUpper()});
        return true;
    });
    return Report(status, ui_, "E1005: Ошибка при удалении: Информация не удалена! Попробуйте повторить операцию",
                  "E1006: Ошибка при удалении! Попробуйте повторить операцию");
}
