#pragma once
// Small helpers the reference stores share on top of TData.
#include "data.h"

#include <QDate>
#include <vector>

namespace refdb {

// The rows of a read; empty when it failed (the list windows ignore read errors).
inline std::vector<TDbRow> Rows(TData& data, const QString& sql, const QVariantList& values = {})
{
    std::vector<TDbRow> rows;
    if (!data.Select(sql, values, rows)) rows.clear();
    return rows;
}

// A date column; invalid for NULL.
inline QDate DateOf(const QVariant& v) { return v.isNull() ? QDate() : v.toDateTime().date(); }

// A date bound as that day at 00:00, NULL for an invalid date.
inline QVariant DateValue(const QDate& d)
{
    return d.isValid() ? QVariant(d.startOfDay()) : QVariant(QMetaType(QMetaType::QDateTime));
}

// The lines of a description, each preceded by one blank, joined into one line.
inline QString JoinDescriptionLines(const QString& text)
{
    if (text.isEmpty()) return {};
    QString out;
    for (const QString& line : text.split('\n')) out += ' ' + QString(line).remove('\r');
    return out;
}

}  // namespace refdb
