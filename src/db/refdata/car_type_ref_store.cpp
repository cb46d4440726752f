#include "car_type_ref_store.h"

#include "core/interaction.h"
#include "ref_change.h"

#include <QSqlQuery>
#include <QSqlRecord>

using namespace refdb;

QString JoinDescriptionLines(const QString& text)
{
    if (text.isEmpty()) return {};
    QString out;
    for (const QString& line : text.split('\n')) out += ' ' + QString(line).remove('\r');
    return out;
}

QList<CarTypeListRow> TCarTypeRefStore::Types()
{
    QList<CarTypeListRow> rows;
    QSqlQuery q(db_);
    if (TryExec(q, "SELECT UID, TypeName, Description FROM T_CarTypes"))
        while (q.next())
            rows.append({q.value(0).toInt(), q.value(1).toString(), JoinDescriptionLines(BlobText(q.value(2)))});
    return rows;
}

namespace {

std::optional<CarTypeValues> ReadType(QSqlQuery& q)
{
    if (!q.next()) return std::nullopt;
    const QSqlRecord r = q.record();
    return CarTypeValues{r.value("UID").toInt(), r.value("TypeName").toString(),
                         EquipmentFromRecord(r, EquipmentTable::CarTypes)};
}

}  // namespace

std::optional<CarTypeValues> TCarTypeRefStore::Type(int uid)
{
    QSqlQuery q(db_);
    if (!TryExec(q, "SELECT * FROM T_CarTypes WHERE UID = ?", {uid})) return std::nullopt;
    return ReadType(q);
}

std::optional<CarTypeValues> TCarTypeRefStore::TypeByName(const QString& name)
{
    QSqlQuery q(db_);
    if (!TryExec(q, "SELECT * FROM T_CarTypes WHERE TypeName = ?", {name})) return std::nullopt;
    return ReadType(q);
}

std::optional<int> TCarTypeRefStore::UidByName(const QString& name)
{
    QSqlQuery q(db_);
    if (!TryExec(q, "SELECT UID FROM T_CarTypes WHERE TypeName = ?", {name})) return -2;
    if (!q.next()) return std::nullopt;
    return q.value(0).toInt();
}

namespace {

void TypeColumns(const CarTypeValues& t, QStringList& columns, QVariantList& values)
{
    columns << "TypeName";
    values << t.name;
    for (const EquipmentColumn& c : EquipmentColumns()) {
        columns << EquipmentColumnName(c, EquipmentTable::CarTypes);
        values << EquipmentValue(t.equipment, c);
    }
}

}  // namespace

int TCarTypeRefStore::Create(const CarTypeValues& type)
{
    const auto status = RunChange(db_, [&] {
        QStringList columns;
        QVariantList values;
        TypeColumns(type, columns, values);
        const QString marks = QStringList(QList<QString>(columns.size(), "?")).join(", ");
        Exec(db_, "INSERT INTO T_CarTypes (" + columns.join(", ") + ") VALUES (" + marks + ")", values);
        return true;
    });
    if (!Report(status, ui_, "E1202: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию",
                "E1203: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию"))
        return -1;
    // The database assigned the UID: find the new row again by its name (the newest of that name).
    QSqlQuery q(db_);
    if (TryExec(q, "SELECT MAX(UID) FROM T_CarTypes WHERE TypeName = ?", {type.name}) && q.next() &&
        !q.value(0).isNull())
        return q.value(0).toInt();
    return -1;
}

bool TCarTypeRefStore::Change(const CarTypeValues& type)
{
    const auto status = RunChange(db_, [&] {
        QStringList columns;
        QVariantList values;
        TypeColumns(type, columns, values);
        values << type.uid;
        Exec(db_, "UPDATE T_CarTypes SET " + columns.join(" = ?, ") + " = ? WHERE UID = ?", values);
        return true;
    });
    return Report(status, ui_, "E1206: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию",
                  "E1207: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию");
}

bool TCarTypeRefStore::Delete(int uid)
{
    const auto status = RunChange(db_, [&] {
        Exec(db_, "DELETE FROM T_CarTypes WHERE UID = ?", {uid});
        return true;
    });
    return Report(status, ui_, "E1204: Ошибка при удалении: Информация не удалена! Попробуйте повторить операцию",
                  "E1205: Ошибка при удалении! Попробуйте повторить операцию");
}
