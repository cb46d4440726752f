#pragma once
// The car values the protocol decoding reads, taken from the order's car record once per run.
#include <cstdint>

struct TDecodeCar {
    int32_t CarTank1Vol = 0;       // litres
    int32_t CarTank2Vol = 0;       // 0: no second tank
    int32_t CarMinRPM = 0;
    int32_t CarMaxRPM = 0;
    int32_t CarMaxIdleRPM = 0;
    bool CarUsePowerForVolume = false;
    int32_t CarUPower = 0;         // centivolts
    int32_t CarSpeedType = 0;
    long double CarSpeedK = 0;     // pulses per km
    int32_t CarTachType = 0;
    long double CarTachK = 0;
    int32_t CarFuelMeasureType = 0;   // low 7 bits: 0 voltage, 1 current
    long double CarFuelMeasureRObr = 0;
    int32_t AInputBak2Type = 0;
    long double AInputBak2R0 = 0, AInputBak2T0 = 0, AInputBak2Param = 0, AInputBak2RObr = 0;
    int32_t AInput6Type = 0;
    bool CarUsePowerForTemp = false;   // CARUSEPOWERFORTEMP
};
