#include "car_type_ref_store.h"

#include "ref_change.h"

using namespace refdb;

QList<CarTypeListRow> TCarTypeRefStore::Types()
{
    QList<CarTypeListRow> rows;
    for (const TDbRow& r : Rows(data_, "SELECT UID, TypeName, Description FROM T_CarTypes"))
        rows.append({r.integer("UID"), r.text("TypeName"), JoinDescriptionLines(r.text("Description"))});
    return rows;
}

namespace {

std::optional<CarTypeValues> TypeOf(const std::optional<TDbRow>& r)
{
    if (!r) return std::nullopt;
    return CarTypeValues{r->integer("UID"), r->text("TypeName"), EquipmentFromRow(*r, EquipmentTable::CarTypes)};
}

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

std::optional<CarTypeValues> TCarTypeRefStore::Type(int uid)
{
    std::optional<TDbRow> r;
    if (!data_.SelectOne("SELECT * FROM T_CarTypes WHERE UID = ?", {uid}, r)) return std::nullopt;
    return TypeOf(r);
}

std::optional<CarTypeValues> TCarTypeRefStore::TypeByName(const QString& name)
{
    std::optional<TDbRow> r;
    if (name.isEmpty() || !data_.SelectOne("SELECT * FROM T_CarTypes WHERE TypeName = ?", {name}, r))
        return std::nullopt;
    return TypeOf(r);
}

TCarTypeRefStore::NameCheck TCarTypeRefStore::CheckName(const QString& name)
{
    std::optional<TDbRow> r;
    if (!data_.SelectOne("SELECT UID FROM T_CarTypes WHERE TypeName = ?", {name}, r)) return NameCheck::Failed;
    return r ? NameCheck::Taken : NameCheck::Free;
}

int TCarTypeRefStore::Create(const CarTypeValues& type)
{
    const TOpCodes codes{"E1202: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию",
                         "E1203: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию"};
    int uid = -1;
    const bool ok = data_.RunOperation(codes, [&] {
        QStringList columns;
        QVariantList values;
        TypeColumns(type, columns, values);
        const QString marks = QStringList(QList<QString>(columns.size(), "?")).join(", ");
        if (!data_.Exec("INSERT INTO T_CarTypes (" + columns.join(", ") + ") VALUES (" + marks + ")", values))
            return false;
        // The database assigned the key: the newest row of this name is the one just inserted.
        std::optional<TDbRow> r;
        if (!data_.SelectOne("SELECT MAX(UID) AS UID FROM T_CarTypes WHERE TypeName = ?", {type.name}, r) || !r)
            return false;
        uid = r->integer("UID");
        return true;
    });
    return ok ? uid : -1;
}

bool TCarTypeRefStore::Change(const CarTypeValues& type)
{
    const TOpCodes codes{"E1206: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию",
                         "E1207: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию"};
    return data_.RunOperation(codes, [&] {
        QStringList columns;
        QVariantList values;
        TypeColumns(type, columns, values);
        values << type.uid;
        return data_.Exec("UPDATE T_CarTypes SET " + columns.join(" = ?, ") + " = ? WHERE UID = ?", values);
    });
}

bool TCarTypeRefStore::Delete(int uid)
{
    const TOpCodes codes{"E1204: Ошибка при удалении: Информация не удалена! Попробуйте повторить операцию",
                         "E1205: Ошибка при удалении! Попробуйте повторить операцию"};
    // By the key of the selected type: names may repeat after a rename.
    return data_.RunOperation(codes, [&] { return data_.Exec("DELETE FROM T_CarTypes WHERE UID = ?", {uid}); });
}
