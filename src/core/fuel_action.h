#pragma once
// One refuel or drain of an order (20 bytes, packed). A refuel has Amount >= 0, the volume taken
// in; a drain has Amount = -1 - the drained volume, so it is always <= -1. Centilitres.
#include <cstdint>
#include <vector>

#pragma pack(push, 1)
struct TFuelAction {
    double StartTime = 0;   // date-time
    double EndTime = 0;
    int32_t Amount = 0;
};
#pragma pack(pop)
static_assert(sizeof(TFuelAction) == 20);

using TFuelActions = std::vector<TFuelAction>;
