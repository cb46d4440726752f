#pragma once
// The recorder's side of a trip: the protocol records a recorder would write for a scenario, with
// raw codes consistent with the car's factors, supply voltage, measurement type and tank tables,
// and the trip's true figures.
#include "decode_car.h"
#include "protocol_decoder.h"
#include "protokol_record.h"
#include "trip_scenario.h"

#include <vector>

struct TTripTruth {
    int minutes = 0;           // samples the protocol decodes to
    int movingMinutes = 0;
    int engineMinutes = 0;
    int64_t distanceMetres = 0;
    double startLevel1 = 0, endLevel1 = 0;   // litres, as the tank table encodes them
    double startLevel2 = 0, endLevel2 = 0;
    std::vector<double> refuels, drains;     // litres
    int powerOffs = 0;
};

struct TTrip {
    TProtokolRecords records;
    TTripTruth truth;
};

// tables: prepared like the decoder's (cleaned, sorted by the car's key).
TTrip GenerateTrip(const TTripScenario& scenario, const TDecodeCar& car, const TDecodeTables& tables);
