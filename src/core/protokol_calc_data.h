#pragma once
// The trip and fuel statistics of an order or a period. Each numeric field is named after the
// T_Orders column that stores it. Volumes in centilitres, times in seconds, distances in km.
#include "fuel_action.h"

#include <cstdint>

struct TProtokolCalcData {
    int32_t AverSpeed = 0;           // km/h while moving
    int32_t AverSpeedTotal = 0;      // km/h over the whole time
    int32_t MaxSpeed = 0;
    int32_t PathReal = 0;            // km
    int32_t PathRol = 0;             // km coasting: moving with the engine idling or not turning
    int32_t EngineActiveTime = 0;
    int32_t EngineIdleTime = 0;
    int32_t StartFuelVol1 = 0;
    int32_t StartFuelVol2 = 0;
    int32_t EndFuelVol1 = 0;
    int32_t EndFuelVol2 = 0;
    int32_t FuelExpIdle = 0;         // not computed, always 0
    int32_t FuelExpTotal = 0;        // consumption including drained fuel
    int32_t FuelExpTotalClean = 0;   // consumption without drained fuel
    int32_t FuelIncCount = 0;
    int32_t TotalFuelInc = 0;
    int32_t FuelDecCount = 0;
    int32_t TotalFuelDec = 0;
    int32_t StopTime = 0;
    int32_t TotalTime = 0;
    int32_t RolTime = 0;
    long double AverGSM = 0;         // litres per 100 km
    int32_t AverRPM = 0;
    int32_t RegOffCount = 0;
    TFuelActions FuelActions;        // refuels and drains by start time
};

inline void ResetCalcData(TProtokolCalcData& calc)
{
    calc = TProtokolCalcData{};
}
