#include "calibration_values_text.h"

#include "app_state.h"

#include <QStringList>

namespace {

struct Coefficient {
    const char* name;
    int word;   // position of the raw word in the block; -1 for derived values
    int value;  // index of the computed value
};

// The order in which the service engineers read the coefficients.
constexpr Coefficient kCoefficients[] = {
    {"AN1_1", 0, 0},      {"AN2_1", 1, 1},      {"AN3_1", 2, 2},   {"AN5_1", 3, 3},   {"AN6_1", 4, 4},
    {"AN7_1", 5, 5},      {"AN1_2", 6, 6},      {"AN2_2", 7, 7},   {"AN3_2", 8, 8},   {"AN5_2", 9, 9},
    {"AN6_2", 10, 10},    {"AN7_2", 11, 11},    {"Rizm", 17, 12},  {"Robr", 18, 13},  {"Rbalast", 16, 16},
    {"Upower_1", 19, 14}, {"Upower_2", 20, 15}, {"K_AN4", 12, 17}, {"K_AN8", 14, 18}, {"D_AN4", 13, 19},
    {"D_AN8", 15, 20},    {"eK1", -1, 21},      {"eD1", -1, 22},   {"eK2", -1, 23},   {"eD2", -1, 24},
};

QString hex(unsigned v, int digits) { return QString::number(v, 16).toUpper().rightJustified(digits, '0'); }

}  // namespace

QString FormatCalibrationValues(const TCalibrationBlock* block)
{
    if (!block) return QStringLiteral("Ошибка параметров");
    QStringList lines;
    lines << "HWVer\t" + hex(block->HWVer, 2) << "SWVer\t" + hex(block->SWVer, 2) << "Options\t" + hex(block->Options, 2);
    for (const Coefficient& c : kCoefficients) {
        const QString raw = c.word >= 0 ? hex(block->Words[c.word], 4) : QString();
        lines << QString::fromLatin1(c.name) + '\t' + raw + "\t\t" + QString::asprintf("%.3f", block->Values[c.value]);
    }
    return lines.join("\r\n");
}

void ReportCalibrationValues(const TCalibrationBlock* block)
{
    if (AppState().ShowCalibrationValues) AppState().CalibrationValuesText = FormatCalibrationValues(block);
}
