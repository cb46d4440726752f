#pragma once
// The equipment vocabulary: the item lists whose 0-based indexes the car and car-type columns
// store. The cars and car-types windows offer exactly these items in this order.
#include <QStringList>

namespace equipment {
// CarSpeedType (cars window); also DefaultSpeedType and DefaultTachType (car-types window).
const QStringList& SpeedTypes();
// CarTachType (cars window).
const QStringList& TachTypes();
// Bits 0 ... 6 of CarFuelMeasureType.
const QStringList& FuelMeasureMethods();
// AInputBak2Type: the second main input.
const QStringList& AInputBak2Types();
// AInput6Type: the second additional input.
const QStringList& AInput6Types();
// DInput3Type, DInput4Type.
const QStringList& DInputTypes();
// DInput3Level, DInput4Level.
const QStringList& DInputLevels();
// Rows of the temperature sensor grid of the second main input (type 1), columns
// AInputBak2R0, AInputBak2T0, AInputBak2Param, AInputBak2RObr in this order.
const QStringList& TempSensorParamCaptions();

// Index 2 of the speed and engine-speed lists: a pulse input with a lowered threshold.
constexpr int kPulseLowThreshold = 2;
// Bit 7 of CarFuelMeasureType: volume changes are detected only while the car moves.
constexpr int kFuelOnlyInMotion = 0x80;
constexpr int kFuelMethodMask = 0x7F;
constexpr int kAInputBak2Temperature = 1;

inline int FuelMeasureMethod(int carFuelMeasureType) { return carFuelMeasureType & kFuelMethodMask; }
inline bool FuelOnlyInMotion(int carFuelMeasureType) { return (carFuelMeasureType & kFuelOnlyInMotion) != 0; }
}  // namespace equipment
