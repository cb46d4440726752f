#include "equipment_vocabulary.h"

namespace equipment {

const QStringList& SpeedTypes()
{
    static const QStringList items = {QStringLiteral("Нет"), QStringLiteral("Обычный имп./частотный"),
                                      QStringLiteral("Обычн. имп./частотный с пониж. порогом.")};
    return items;
}

const QStringList& TachTypes()
{
    static const QStringList items = {QStringLiteral("Нет"), QStringLiteral("Обычный имп."),
                                      QStringLiteral("Обычный имп. с пониж. порогом")};
    return items;
}

const QStringList& FuelMeasureMethods()
{
    static const QStringList items = {QStringLiteral("Измерение напряжения"), QStringLiteral("Измерение тока")};
    return items;
}

const QStringList& AInputBak2Types()
{
    static const QStringList items = {QStringLiteral("Не используется"), QStringLiteral("Измерение температуры")};
    return items;
}

const QStringList& AInput6Types()
{
    static const QStringList items = {QStringLiteral("Не используется"), QStringLiteral("Температура двигателя")};
    return items;
}

const QStringList& DInputTypes()
{
    static const QStringList items = {QStringLiteral("Не используется"), QStringLiteral("Счетный вход"),
                                      QStringLiteral("Триггерный вход")};
    return items;
}

const QStringList& DInputLevels()
{
    static const QStringList items = {QStringLiteral("Низкий"), QStringLiteral("Высокий")};
    return items;
}

const QStringList& TempSensorParamCaptions()
{
    static const QStringList items = {QStringLiteral("Нач. сопрот., Ом"), QStringLiteral("Нач. темпер., С"),
                                      QStringLiteral("Коэффициент, Ом/С"), QStringLiteral("Обр.резистор, Ом")};
    return items;
}

}  // namespace equipment
