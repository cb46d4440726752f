#include "ref_text.h"

#include <QLocale>
#include <cmath>

namespace reftext {

namespace {

QString CommaToPoint(QString text)
{
    const int comma = text.indexOf(',');
    if (comma >= 0) text[comma] = '.';
    return text.trimmed();
}

std::optional<int> WholeNumber(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

}  // namespace

std::optional<double> Decimal(const QString& text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(CommaToPoint(text), &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

double DecimalOrZero(const QString& text) { return Decimal(text).value_or(0.0); }

std::optional<int> Centivolts(const QString& text)
{
    const auto v = Decimal(text);
    if (!v || std::fabs(*v) > 2.0e7) return std::nullopt;
    return static_cast<int>(std::llround(*v * 100.0));
}

std::optional<int> VersionFromText(const QString& text)
{
    const QString t = CommaToPoint(text);
    if (t.isEmpty()) return 0;
    const int point = t.indexOf('.');
    if (point < 0) {
        const auto x = WholeNumber(t);
        return x ? std::optional<int>(*x * 100) : std::nullopt;
    }
    const auto x = WholeNumber(t.left(point));
    if (!x) return std::nullopt;
    QString y = t.mid(point + 1, 2);
    if (y.isEmpty()) return *x * 100;
    if (y.size() == 1) y += '0';
    const auto minor = WholeNumber(y);
    if (!minor || y.startsWith('-') || y.startsWith('+')) return std::nullopt;
    return *x * 100 + *minor;
}

QString VersionToText(int version)
{
    return QString("%1.%2").arg(version / 100).arg(version % 100, 2, 10, QChar('0'));
}

namespace {

QLocale Desktop()
{
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

}  // namespace

QString FormatFixed(double value, int decimals) { return Desktop().toString(value, 'f', decimals); }

QString FormatPlain(double value) { return Desktop().toString(value, 'g', 15); }

}  // namespace reftext
