#include "db_row.h"

QString TDbRow::text(const QString& column) const
{
    const QVariant v = value(column);
    if (v.isNull()) return {};
    // Text blobs come back as bytes; the connection's character set is UTF8.
    if (v.typeId() == QMetaType::QByteArray) return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

QByteArray TDbRow::bytes(const QString& column) const
{
    const QVariant v = value(column);
    if (v.isNull()) return {};
    return v.toByteArray();
}

int TDbRow::integer(const QString& column, int fallback) const
{
    bool ok = false;
    const int n = value(column).toInt(&ok);
    return ok ? n : fallback;
}

double TDbRow::real(const QString& column, double fallback) const
{
    bool ok = false;
    const double d = value(column).toDouble(&ok);
    return ok ? d : fallback;
}
