#pragma once
// One row read from the database: column name (upper case, as Firebird keeps unquoted names) to
// value. Look-ups take the name in any case ("CarNumber" finds CARNUMBER).
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <optional>

class TDbRow {
public:
    TDbRow() = default;
    explicit TDbRow(QVariantMap values) : values_(std::move(values)) {}

    QVariant value(const QString& column) const { return values_.value(column.toUpper()); }
    bool has(const QString& column) const { return values_.contains(column.toUpper()); }
    bool isNull(const QString& column) const { return value(column).isNull(); }
    QString text(const QString& column) const;      // text columns and text blobs (UTF-8)
    QByteArray bytes(const QString& column) const;  // binary blobs; empty for NULL
    int integer(const QString& column, int fallback = 0) const;
    double real(const QString& column, double fallback = 0.0) const;

    const QVariantMap& values() const { return values_; }
    void set(const QString& column, const QVariant& v) { values_[column.toUpper()] = v; }

private:
    QVariantMap values_;
};
