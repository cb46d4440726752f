#pragma once
// Sensor calibration points (T_GRAD) of a recorder: TYPE_GRAD 1 is the engine temperature sensor.
#include "table_store.h"

struct TGradRow {
    double u = 0;       // sensor reading
    double val = 0;     // physical value
    QVariant uPower;    // supply voltage recorded with the point (NULL when none)
};

class TGradStore : public TTableStore {
public:
    explicit TGradStore(TData& data) : TTableStore(data, "T_GRAD", {"REGSERNUM", "TYPE_GRAD", "U"}) {}

    bool addPoint(const QString& serial, int type, const TGradRow& point);
    // The points of a recorder and kind, ordered by U.
    bool points(const QString& serial, int type, std::vector<TGradRow>& out);
    bool removePoints(const QString& serial, int type);
    // Every point of a recorder (deleting a recorder).
    bool removeRecorder(const QString& serial) { return removeWhere({{"REGSERNUM", serial}}); }
};
