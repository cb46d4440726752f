#include "table_store.h"

#include <QRegularExpression>
#include <stdexcept>

const QString& CheckedIdentifier(const QString& name)
{
    static const QRegularExpression plain("^[A-Za-z][A-Za-z0-9_$]*$");
    if (!plain.match(name).hasMatch())
        throw std::invalid_argument(("not a column or table name: " + name).toStdString());
    return name;
}

QString CheckedOrderBy(const QString& orderBy)
{
    QStringList parts;
    for (const QString& item : orderBy.split(',', Qt::SkipEmptyParts)) {
        const QStringList words = item.simplified().split(' ');
        const bool dir = words.size() == 2 && (words[1].compare("ASC", Qt::CaseInsensitive) == 0 ||
                                               words[1].compare("DESC", Qt::CaseInsensitive) == 0);
        if (words.size() > 2 || (words.size() == 2 && !dir))
            throw std::invalid_argument(("not an ORDER BY list: " + orderBy).toStdString());
        parts << (CheckedIdentifier(words[0]) + (dir ? ' ' + words[1].toUpper() : QString()));
    }
    return parts.join(", ");
}

TTableStore::TTableStore(TData& data, QString table, QStringList keyColumns)
    : data_(data), table_(std::move(table)), keys_(std::move(keyColumns))
{
    CheckedIdentifier(table_);
    for (const QString& k : keys_) CheckedIdentifier(k);
}

QString TTableStore::keyCondition(const QVariantList& key, QVariantList& values) const
{
    if (key.size() != keys_.size())
        throw std::invalid_argument(("wrong key for " + table_).toStdString());
    QStringList parts;
    for (qsizetype i = 0; i < keys_.size(); ++i) {
        parts << keys_[i] + " = ?";
        values << key[i];
    }
    return parts.join(" AND ");
}

QString TTableStore::condition(const QVariantMap& where, QVariantList& values)
{
    QStringList parts;
    for (auto it = where.begin(); it != where.end(); ++it) {
        if (it.value().isNull()) {
            parts << CheckedIdentifier(it.key()) + " IS NULL";
        } else {
            parts << CheckedIdentifier(it.key()) + " = ?";
            values << it.value();
        }
    }
    return parts.join(" AND ");
}

bool TTableStore::insert(const QVariantMap& values)
{
    QVariant unused;
    return insertReturning(values, {}, unused);
}

bool TTableStore::insertReturning(const QVariantMap& values, const QString& returning, QVariant& assigned)
{
    QStringList cols, marks;
    QVariantList bound;
    for (auto it = values.begin(); it != values.end(); ++it) {
        cols << CheckedIdentifier(it.key());
        marks << "?";
        bound << it.value();
    }
    QString sql = cols.isEmpty() ? QString("INSERT INTO %1 DEFAULT VALUES").arg(table_)
                                 : QString("INSERT INTO %1 (%2) VALUES (%3)").arg(table_, cols.join(", "), marks.join(", "));
    if (returning.isEmpty()) return data_.Exec(sql, bound);
    sql += " RETURNING " + CheckedIdentifier(returning);
    std::optional<TDbRow> row;
    if (!data_.SelectOne(sql, bound, row) || !row) return false;
    assigned = row->value(returning);
    return true;
}

bool TTableStore::update(const QVariantList& key, const QVariantMap& values)
{
    if (values.isEmpty()) return true;
    QStringList sets;
    QVariantList bound;
    for (auto it = values.begin(); it != values.end(); ++it) {
        sets << CheckedIdentifier(it.key()) + " = ?";
        bound << it.value();
    }
    const QString where = keyCondition(key, bound);
    return data_.Exec(QString("UPDATE %1 SET %2 WHERE %3").arg(table_, sets.join(", "), where), bound);
}

bool TTableStore::remove(const QVariantList& key)
{
    QVariantList bound;
    const QString where = keyCondition(key, bound);
    return data_.Exec(QString("DELETE FROM %1 WHERE %2").arg(table_, where), bound);
}

bool TTableStore::find(const QVariantList& key, std::optional<TDbRow>& row)
{
    QVariantList bound;
    const QString where = keyCondition(key, bound);
    return data_.SelectOne(QString("SELECT * FROM %1 WHERE %2").arg(table_, where), bound, row);
}

bool TTableStore::list(std::vector<TDbRow>& rows, const QString& orderBy)
{
    return select({}, rows, orderBy);
}

bool TTableStore::select(const QVariantMap& where, std::vector<TDbRow>& rows, const QString& orderBy)
{
    QVariantList bound;
    QString sql = "SELECT * FROM " + table_;
    if (!where.isEmpty()) sql += " WHERE " + condition(where, bound);
    if (!orderBy.isEmpty()) sql += " ORDER BY " + CheckedOrderBy(orderBy);
    return data_.Select(sql, bound, rows);
}

bool TTableStore::removeWhere(const QVariantMap& where)
{
    if (where.isEmpty()) throw std::invalid_argument("refusing to delete every row of " + table_.toStdString());
    QVariantList bound;
    const QString sql = QString("DELETE FROM %1 WHERE %2").arg(table_, condition(where, bound));
    return data_.Exec(sql, bound);
}
