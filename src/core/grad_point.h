#pragma once
// A tank (or temperature) calibration table: points relating a sensor reading to a physical value.
// Reals are held as long double (the 80-bit extended format on x86-64); the stored layout is fixed
// by grad_blob.h, not by this struct.
#include <vector>

struct TGradPoint {
    long double U = 0;          // converter code 0 ... 65535 (40 V full scale)
    long double VAL = 0;        // physical value (litres); negative: no value
    long double U_POWER = 0;    // supply voltage when the point was recorded, volts
    long double U_REDUCED = 0;  // U reduced to the car's nominal supply voltage, code units
    long double R_SENSOR = 0;   // sensor resistance, ohms (current measurement)
    long double U_REF = 0;      // reference-channel code recorded with the point
};

using TGrad = std::vector<TGradPoint>;

// The field a table is ordered and searched by.
enum class TGradKeyField { U, U_REDUCED, R_SENSOR };

// The key as a member, so that a lookup picks it once instead of once a point.
inline long double TGradPoint::*GradKeyMember(TGradKeyField key)
{
    switch (key) {
    case TGradKeyField::U_REDUCED: return &TGradPoint::U_REDUCED;
    case TGradKeyField::R_SENSOR: return &TGradPoint::R_SENSOR;
    default: return &TGradPoint::U;
    }
}

inline long double GradPointKey(const TGradPoint& p, TGradKeyField key) { return p.*GradKeyMember(key); }

// The key of a car's tank tables: R_SENSOR for current measurement (low 7 bits of the measurement
// type = 1), else U_REDUCED when the supply correction is on, else U.
inline TGradKeyField GradKey(int fuelMeasureType, bool usePowerForVolume)
{
    if ((fuelMeasureType & 0x7F) == 1)
        return TGradKeyField::R_SENSOR;
    return usePowerForVolume ? TGradKeyField::U_REDUCED : TGradKeyField::U;
}

// The key GradValueByVoltage searches by: U_REDUCED with the supply correction, else U.
inline TGradKeyField VoltageKey(bool usePower)
{
    return usePower ? TGradKeyField::U_REDUCED : TGradKeyField::U;
}
