#pragma once
// The calibration tables of a decoding run: the tank tables of the recorder installed in the car
// (T_Registrators), else those carried in the order header; the engine-temperature table from the
// recorder's T_GRAD points, else from the header.
#include "car_data.h"
#include "order_header.h"
#include "protocol_decoder.h"

class Interaction;
class TData;

// False after "E1739: Ошибка чтения градуировок баков!" when the recorder row cannot be read;
// a missing tank table falls back to the header's with E1738 (tank 1) or E1756 (tank 2, only for
// a car with a second tank).
bool LoadDecodeTables(TData& data, const TCarData& car, const TOrderHeader& header, Interaction& ui,
                      TDecodeTables& out);
