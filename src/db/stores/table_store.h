#pragma once
// The reads and writes every table shares: insert, update, find by key, list and delete, all with
// bound values in the main transaction of TData. Writes run one statement and leave commit and
// rollback to the operation (TData::RunOperation) so that an operation can group several writes.
// Reads start the transaction when needed and leave it open. Column names are the program's own;
// a name that is not a plain identifier is refused (std::invalid_argument).
#include "data.h"
#include "db_row.h"

#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <optional>
#include <vector>

class TTableStore {
public:
    TTableStore(TData& data, QString table, QStringList keyColumns);

    const QString& table() const { return table_; }

    // INSERT of the given columns (blobs as QByteArray, text blobs as QString).
    bool insert(const QVariantMap& values);
    // INSERT ... RETURNING a column assigned by the database (an identity key).
    bool insertReturning(const QVariantMap& values, const QString& returning, QVariant& assigned);
    // UPDATE of the given columns of the row with this key (values in key column order).
    bool update(const QVariantList& key, const QVariantMap& values);
    bool remove(const QVariantList& key);
    // The row with this key; row stays empty when there is none.
    bool find(const QVariantList& key, std::optional<TDbRow>& row);
    // Every row, ordered by the given columns ("CarNumber", "DriverSName, DriverName").
    bool list(std::vector<TDbRow>& rows, const QString& orderBy = {});
    // Rows matching the columns of `where` (equality, NULL matches IS NULL), ordered.
    bool select(const QVariantMap& where, std::vector<TDbRow>& rows, const QString& orderBy = {});
    bool removeWhere(const QVariantMap& where);

protected:
    TData& data() { return data_; }

private:
    QString keyCondition(const QVariantList& key, QVariantList& values) const;
    static QString condition(const QVariantMap& where, QVariantList& values);

    TData& data_;
    QString table_;
    QStringList keys_;
};

// Throws std::invalid_argument unless name is a plain SQL identifier (or a list of them for
// ORDER BY, each optionally followed by ASC or DESC).
const QString& CheckedIdentifier(const QString& name);
QString CheckedOrderBy(const QString& orderBy);
