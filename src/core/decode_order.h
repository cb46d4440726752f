#pragma once
// Decoding an order's protocol with its car record: the car values the decoder reads, the tables
// carried in the order header, and the checks on the car.
#include "car_data.h"
#include "order_header.h"
#include "protocol_decoder.h"

// usePowerForTemp: CARUSEPOWERFORTEMP, carried by the order header rather than the car record.
TDecodeCar DecodeCarFrom(const TCarData& car, bool usePowerForTemp);

// A tank table of the header (its recorded count, at most 20 points), cleaned and sorted like a
// database table: used as it stands, a cleared point or an unsorted table would give wrong litres.
TGrad PreparedHeaderTankTable(const QByteArray& table1204, const TCarData& car);

// All three tables from the header alone: tanks as above, the temperature points as they stand.
TDecodeTables DecodeTablesFromHeader(const TCarData& car, const TOrderHeader& header);

// False without any other effect when there are no records, no car or no car number.
bool DecodeProtocol(const TProtokolRecords& records, const TCarData* car, const TDecodeTables& tables,
                    bool usePowerForTemp, const TDecodeSettings& settings, TKDDData& out, double& endTime,
                    double& startTime, TDecodeReport* report = nullptr);
