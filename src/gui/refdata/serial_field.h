#pragma once
// Serial number fields of the reference windows: 21 characters in the pattern X.XX.XXXX.X-XXXXXXX.X,
// every X a required letter or digit, the separators fixed, letters forced to upper case.
#include <QLineEdit>

constexpr int kSerialLength = 21;

// True when the text converts to a serial number that passes its check.
bool SerialTextIsValid(const QString& text);

class TSerialEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TSerialEdit(QWidget* parent = nullptr);
    // The text without the mask's blanks (shorter than 21 characters while incomplete).
    QString serial() const;
};
