#pragma once
// The item lists of the car and car type editors; the columns store the 0-based index.
#include <QStringList>

namespace equipment {

inline QStringList SpeedTypes()
{
    return {"Нет", "Обычный имп./частотный", "Обычн. имп./частотный с пониж. порогом."};
}
inline QStringList TachTypes() { return {"Нет", "Обычный имп.", "Обычный имп. с пониж. порогом"}; }
inline QStringList FuelMeasureMethods() { return {"Измерение напряжения", "Измерение тока"}; }
inline QStringList AInputBak2Types() { return {"Не используется", "Измерение температуры"}; }
inline QStringList AInput6Types() { return {"Не используется", "Температура двигателя"}; }
inline QStringList DInputTypes() { return {"Не используется", "Счетный вход", "Триггерный вход"}; }
inline QStringList DInputLevels() { return {"Низкий", "Высокий"}; }
inline QStringList SensorRowCaptions()
{
    return {"Нач. сопрот., Ом", "Нач. темпер., С", "Коэффициент, Ом/С", "Обр.резистор, Ом"};
}

constexpr int kOnlyInMotion = 128;
constexpr int kMethodMask = 127;

}  // namespace equipment
