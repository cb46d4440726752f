#pragma once
// Conversions between the texts of the reference windows and the stored numbers.
#include <QString>
#include <optional>

namespace reftext {

// The first comma becomes a point; a text that is then no number gives 0.
double DecimalOrZero(const QString& text);
// The same conversion, nullopt for a text that is no number.
std::optional<double> Decimal(const QString& text);

// Volts as typed to hundredths of a volt, rounded to the nearest hundredth (halves away from zero):
// "16,3" gives 1630. nullopt when the text is no number.
std::optional<int> Centivolts(const QString& text);

// Recorder version text to version x 100: "1.2" 120, "1." 100, "1.234" 123, "2" 200, "" 0.
// nullopt when a part is not a whole number.
std::optional<int> VersionFromText(const QString& text);
// 120 gives "1.20", 351 gives "3.51".
QString VersionToText(int version);

// Shown numbers use the desktop's decimal separator.
QString FormatFixed(double value, int decimals);
// A plain decimal number ("7.5", "12"), with the desktop's separator.
QString FormatPlain(double value);

}  // namespace reftext
