#pragma once
// What the end-to-end trip tests share: the order header an office would issue for the test car,
// and running a built program.
#include "order_header.h"

#include <QJsonObject>
#include <QStringList>

// A sealed trip-order header: a two-tank car with speed and tachometer sensors, 24 V supply,
// voltage-measured tank sensors and tables that are slightly curved.
TOrderHeader TestTripHeader();

// Runs a program of the build (KEM_BIN_DIR) with the arguments; stdout parsed as JSON into json
// when given. Returns the exit code (-1 when it did not run); stderr goes to errors.
int RunProgram(const QString& name, const QStringList& args, QJsonObject* json, QString* errors = nullptr,
               const QString& workDir = {});

// A scenario file of tests/data/scenarios.
QString ScenarioPath(const QString& name);
