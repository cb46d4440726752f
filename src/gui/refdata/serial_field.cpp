#include "serial_field.h"

#include "core/serial_number.h"

#include <QFontDatabase>

bool SerialTextIsValid(const QString& text)
{
    const uint64_t value = TextToSerial(text, true);
    return value != 0 && SerialIsValid(0, value);
}

TSerialEdit::TSerialEdit(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(">N.NN.NNNN.N-NNNNNNN.N;_");
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setMinimumWidth(fontMetrics().horizontalAdvance(QString(kSerialLength + 2, 'W')));
}

QString TSerialEdit::serial() const
{
    // An incomplete field leaves blanks where digits are missing; they make the text invalid.
    return displayText().replace('_', ' ');
}
