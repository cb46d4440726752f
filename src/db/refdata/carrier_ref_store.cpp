#include "carrier_ref_store.h"

#include "core/interaction.h"
#include "ref_change.h"

using namespace refdb;

QList<CarrierListRow> TCarrierRefStore::Carriers()
{
    QList<CarrierListRow> rows;
    for (const TDbRow& r : Rows(data_, "SELECT SerNum, HasOrder, InUse FROM T_Carriers ORDER BY SerNum"))
        rows.append({r.text("SerNum").trimmed(), r.integer("HasOrder"), r.integer("InUse")});
    return rows;
}

std::optional<CarrierValues> TCarrierRefStore::Carrier(const QString& serial)
{
    std::optional<TDbRow> r;
    if (!data_.SelectOne("SELECT SerNum, InitDate, LastOrderWriteDate, LastOrderReadDate, InUse FROM T_Carriers "
                         "WHERE SerNum = ?", {serial}, r) || !r)
        return std::nullopt;
    return CarrierValues{r->text("SerNum").trimmed(), DateOf(r->value("InitDate")),
                         DateOf(r->value("LastOrderWriteDate")), DateOf(r->value("LastOrderReadDate")),
                         r->integer("InUse") > 0};
}

TCarrierRefStore::CreateResult TCarrierRefStore::Create(const CarrierValues& c)
{
    const QString serial = c.serial.toUpper();
    std::optional<TDbRow> existing;
    if (data_.SelectOne("SELECT SerNum FROM T_Carriers WHERE SerNum = ?", {serial}, existing) && existing) {
        data_.ui().warning(QString("Носитель с серийным номером \"%1\" уже есть в базе данных!").arg(c.serial));
        return CreateResult::Duplicate;
    }
    const TOpCodes codes{"E1001: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию",
                         "E1002: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию"};
    const bool ok = data_.RunOperation(codes, [&] {
        return data_.Exec("INSERT INTO T_Carriers (SerNum, InitDate, LastOrderWriteDate, LastOrderReadDate, InUse) "
                          "VALUES (?, ?, ?, ?, ?)",
                          {serial, DateValue(c.initDate), DateValue(c.lastWriteDate), DateValue(c.lastReadDate),
                           c.inUse ? 1 : 0});
    });
    return ok ? CreateResult::Created : CreateResult::Failed;
}

bool TCarrierRefStore::Change(const QString& serial, bool inUse)
{
    const TOpCodes codes{"E1007: Ошибка при изменении данных: Информация не обновлена! Попробуйте повторить операцию",
                         "E1008: Ошибка при изменении данных: Информация не обновлена! Попробуйте повторить операцию"};
    return data_.RunOperation(codes, [&] {
        return data_.Exec("UPDATE T_Carriers SET InUse = ? WHERE SerNum = ?", {inUse ? 1 : 0, serial.toUpper()});
    });
}

bool TCarrierRefStore::Delete(const QString& serial)
{
    const TOpCodes codes{"E1005: Ошибка при удалении: Информация не удалена! Попробуйте повторить операцию",
                         "E1006: Ошибка при удалении! Попробуйте повторить операцию"};
    return data_.RunOperation(codes, [&] {
        return data_.Exec("DELETE FROM T_Carriers WHERE SerNum = ?", {serial.toUpper()});
    });
}
