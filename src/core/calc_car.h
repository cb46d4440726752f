#pragma once
// The car values that filtering, fuel-event marking, statistics and the order charts read, taken
// from the order's car record (and CarBestRPM from the order header) once per computation.
#include <cstdint>

struct TCalcCar {
    int32_t CarTank1Vol = 0;          // litres
    int32_t CarTank2Vol = 0;          // litres; 0: no second tank
    uint32_t CarIncCriterion = 0;     // whole litres a refuel must rise by
    uint32_t CarDecCriterion = 0;     // whole litres a drain must fall by
    int32_t CarFuelMeasureType = 0;   // bit 7 (0x80): levels are taken only while moving
    int32_t CarSpeedType = 0;         // 0: no speed sensor
    int32_t CarTachType = 0;          // 0: no tachometer
    int32_t CarBestRPM = 0;           // as carried in the order header (tachogram line)
};

// Level of a sample in centilitres: both tanks for a two-tank car, else tank 1 alone.
inline int64_t FuelLevel(const TCalcCar& car, int32_t tank1, int32_t tank2)
{
    return car.CarTank2Vol > 0 ? int64_t(tank1) + tank2 : int64_t(tank1);
}
