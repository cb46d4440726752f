#pragma once
// Numbers as the order window and the event lists show them.
#include <QChar>
#include <QString>

// The desktop's decimal separator.
QChar SystemDecimalSeparator();

// One decimal ("%.1f"), halves rounded away from zero, with the given separator.
QString OneDecimalText(long double value, QChar separator);
