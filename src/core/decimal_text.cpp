#include "decimal_text.h"

#include <QLocale>
#include <cmath>

QChar SystemDecimalSeparator()
{
    const QString s = QLocale::system().decimalPoint();
    return s.isEmpty() ? QChar('.') : s.at(0);
}

QString OneDecimalText(long double value, QChar separator)
{
    if (!(value == value)) return QStringLiteral("0") + separator + QLatin1Char('0');
    const long double tenths = std::round(value * 10.0L);
    const bool negative = tenths < 0;
    const long double mag = negative ? -tenths : tenths;
    const long double whole = std::floor(mag / 10.0L);
    const int digit = int(mag - whole * 10.0L);
    QString text = negative ? QStringLiteral("-") : QString();
    text += QString::number(double(whole), 'f', 0);
    text += separator;
    text += QChar('0' + digit);
    return text;
}
