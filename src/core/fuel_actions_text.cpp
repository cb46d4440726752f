#include "fuel_actions_text.h"

#include "calc_datetime.h"

namespace {

QString TimeText(double dateTime)
{
    return DateTimeOf(dateTime).toString(QStringLiteral("dd.MM.yy hh:mm"));
}

}  // namespace

QStringList FuelActionsText(const TFuelActions& actions, QChar decimalSeparator)
{
    QStringList lines;
    for (const TFuelAction& a : actions) {
        QString line = TimeText(a.StartTime) + QStringLiteral(" - ") + TimeText(a.EndTime);
        // An amount of 0 (a refuel that rose by nothing) is listed as a drain of 0.0.
        if (a.Amount >= 1)
            line += QStringLiteral(" заправка ") + OneDecimalText(a.Amount / 100.0L, decimalSeparator);
        else
            line += QStringLiteral(" слив ") + OneDecimalText(-(long double)a.Amount / 100.0L, decimalSeparator);
        line += QStringLiteral("л");
        lines << line;
    }
    return lines;
}
