#pragma once
// A trip described minute by minute: what the recorder simulator drives and what tests and
// benchmarks decode. One command a line, '#' starts a comment:
//   start 2026-12-11 08:00     first clock (optional)
//   tank1 120                  litres in tank 1 at the start (tank2 likewise)
//   drive 30 60 12             30 minutes at 60 km/h burning 12 l/h
//   idle 10 2                  10 minutes engine on, standing, burning 2 l/h
//   park 20                    20 minutes engine off (the recorder writes engine-off samples)
//   refuel 40 3                40 litres into tank 1 over 3 minutes, engine on, standing
//   drain 15 2                 15 litres out of tank 1 over 2 minutes
//   poweroff 30                the recorder is switched off for 30 minutes
//   repeat 4                   the steps so far, 4 times in all
#include "protokol_clock.h"

#include <QString>
#include <vector>

struct TTripStep {
    enum Kind { Drive, Idle, Park, Refuel, Drain, PowerOff } kind = Drive;
    int minutes = 0;
    double speed = 0;    // km/h
    double burn = 0;     // litres per hour
    double litres = 0;   // refuel or drain volume
};

struct TTripScenario {
    TProtokolSeconds start = 0;
    bool hasStart = false;         // without a "start" line the caller picks the time
    double tank1 = 0, tank2 = 0;   // litres at the start
    int driveRPM = 1800, idleRPM = 700;
    std::vector<TTripStep> steps;
};

// False with a message naming the line when the text is not a scenario.
bool ParseTripScenario(const QString& text, TTripScenario& out, QString& error);
