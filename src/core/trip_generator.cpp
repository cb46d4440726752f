#include "trip_generator.h"

#include "grad_table.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxTankCode = 14745;   // 9 V: above it a reading is invalid
constexpr int kRefCode = 13107;       // 8 V on the reference channel
constexpr int kClockEvery = 10;       // minutes between clock records

uint16_t clampCode(long double v) { return uint16_t(std::clamp<long double>(std::nearbyint(v), 0, 65535)); }

class Generator {
public:
    Generator(const TTripScenario& sc, const TDecodeCar& car, const TDecodeTables& tables)
        : sc_(sc), car_(car), tables_(tables), level1_(sc.tank1), level2_(sc.tank2), running_(sc.start)
    {
        onCode_ = boardCode(car.CarUPower * 1.15L);
        offCode_ = boardCode(car.CarUPower * 0.55L);
        onBoard_ = uint16_t(uint32_t(onCode_) * 4000 / 65535);
    }

    TTrip run();

private:
    uint16_t boardCode(long double centivolts) const { return clampCode(std::ceil(centivolts * 65535 / 4000)); }
    int32_t volumeOfCode(uint32_t s, int tank) const;
    uint16_t codeOfVolume(double litres, int tank) const;
    void clockIfDue();
    void engineMinute(double speed, int rpm);
    void parkMinute();
    void powerOff(int minutes);
    void push(uint8_t type, std::initializer_list<std::pair<int, int>> words);
    // A part tag of 0 means "no measurement open": the recorder never numbers a minute 0.
    void nextSequence() { seq_ = uint8_t(seq_ == 255 ? 1 : seq_ + 1); }

    const TTripScenario& sc_;
    const TDecodeCar& car_;
    const TDecodeTables& tables_;
    double level1_, level2_;
    TProtokolSeconds running_;
    int clockOffset_ = 0;
    int sinceClock_ = 0;
    uint8_t seq_ = 0;
    uint16_t onCode_, offCode_, onBoard_;
    bool firstEngineMinute_ = true;
    TTrip trip_;
};

int32_t Generator::volumeOfCode(uint32_t s, int tank) const
{
    const TGrad& table = tank == 1 ? tables_.Tank1 : tables_.Tank2;
    const int type = car_.CarFuelMeasureType & 0x7F;
    long double v;
    if (type == 0) {
        uint32_t reading = s;
        if (car_.CarUsePowerForVolume)
            reading = onBoard_ == 0 ? 0 : s * uint32_t(std::max(car_.CarUPower, 0)) / onBoard_;
        v = GradValueByVoltage(reading, &table, VoltageKey(car_.CarUsePowerForVolume), false) * 100;
    } else if (type == 1) {
        const long double us = s * 40.0L / 65535, ref = kRefCode * 40.0L / 65535;
        v = GradValueByResistance(std::fabs(us * car_.CarFuelMeasureRObr / ref), &table) * 100;
    } else {
        v = s;
    }
    const long double limit = (tank == 1 ? car_.CarTank1Vol : car_.CarTank2Vol) * 100.0L;
    return int32_t(std::clamp<long double>(std::isfinite(v) ? v : 0, 0, limit));
}

// The code whose decoded volume is nearest the level (the tables are monotonic).
uint16_t Generator::codeOfVolume(double litres, int tank) const
{
    const int32_t target = int32_t(std::lround(litres * 100));
    const bool rising = volumeOfCode(kMaxTankCode, tank) >= volumeOfCode(0, tank);
    int lo = 0, hi = kMaxTankCode;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const int32_t v = volumeOfCode(uint32_t(mid), tank);
        if (rising ? v < target : v > target)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo > 0 && std::abs(volumeOfCode(lo - 1, tank) - target) < std::abs(volumeOfCode(lo, tank) - target))
        --lo;
    return uint16_t(lo);
}

void Generator::push(uint8_t type, std::initializer_list<std::pair<int, int>> words)
{
    TProtokolRecord r;
    r.b[0] = seq_;
    r.b[1] = type;
    for (auto [pos, value] : words) {
        r.b[pos] = uint8_t(value & 0xFF);
        r.b[pos + 1] = uint8_t((value >> 8) & 0xFF);
    }
    trip_.records.push_back(r);
}

void Generator::clockIfDue()
{
    if (sinceClock_ > 0 && sinceClock_ < kClockEvery)
        return;
    sinceClock_ = 0;
    const TProtokolSeconds t = running_ + clockOffset_;
    const int64_t days = t / 86400 - 25569;   // days since 1970
    // Civil date from days (Howard Hinnant's civil_from_days).
    const int64_t z = days + 719468, era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100), mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1, m = mp < 10 ? mp + 3 : mp - 9;
    const int y = int(int64_t(yoe) + era * 400 + (m <= 2));
    const int sec = int(t % 86400);
    auto bcd = [](int v) { return uint8_t((v / 10) << 4 | (v % 10)); };
    TProtokolRecord r;
    r.b = {seq_, 0, 0, bcd(sec % 60), bcd(sec / 60 % 60), bcd(sec / 3600), 1, bcd(int(d)), bcd(int(m)),
           bcd(y - 2000), 0, 0};
    trip_.records.push_back(r);
}

void Generator::engineMinute(double speed, int rpm)
{
    clockIfDue();
    nextSequence();
    const uint16_t s1 = codeOfVolume(level1_, 1);
    const uint16_t s2 = car_.CarTank2Vol ? codeOfVolume(level2_, 2) : 0;
    const uint16_t pulses = car_.CarSpeedType ? clampCode(speed / 60 * car_.CarSpeedK) : 0;
    const uint16_t tach = car_.CarTachType && car_.CarTachK > 0 ? clampCode(rpm * car_.CarTachK) : 0;
    // Word 3 = S + reference serves both converter modes: the difference gives the reference.
    push(10, {{3, s1 + kRefCode}, {5, s1}, {7, kRefCode}, {9, onCode_}});
    push(12, {{3, s2 + kRefCode}, {5, s2}, {7, kRefCode}, {9, 0}});
    push(14, {{3, tach}, {5, pulses}});
    TTripTruth& t = trip_.truth;
    const double decoded1 = volumeOfCode(s1, 1) / 100.0;
    const double decoded2 = car_.CarTank2Vol ? volumeOfCode(s2, 2) / 100.0 : 0;
    if (firstEngineMinute_) {
        t.startLevel1 = decoded1;
        t.startLevel2 = decoded2;
        firstEngineMinute_ = false;
    }
    t.endLevel1 = decoded1;
    t.endLevel2 = decoded2;
    if (car_.CarSpeedType && car_.CarSpeedK > 0) {
        t.distanceMetres += int64_t(std::min<long double>(std::nearbyint(pulses * 1000.0L / car_.CarSpeedK), 65535));
        if (std::nearbyint(pulses * 60.0L / car_.CarSpeedK) > 0)
            ++t.movingMinutes;
    }
    ++t.engineMinutes;
    ++t.minutes;
    running_ += 60;
    ++sinceClock_;
}

void Generator::parkMinute()
{
    clockIfDue();
    nextSequence();
    push(16, {{9, offCode_}});
    ++trip_.truth.minutes;
    running_ += 60;
    ++sinceClock_;
}

void Generator::powerOff(int minutes)
{
    push(1, {});
    running_ += int64_t(minutes) * 60;
    clockOffset_ = 5;   // the recorder starts again a few seconds into the minute
    sinceClock_ = 0;
    clockIfDue();
    trip_.truth.minutes += minutes;
    ++trip_.truth.powerOffs;
}

TTrip Generator::run()
{
    const double vol1 = car_.CarTank1Vol;
    for (const TTripStep& s : sc_.steps) {
        switch (s.kind) {
        case TTripStep::Drive:
        case TTripStep::Idle:
            for (int i = 0; i < s.minutes; ++i) {
                engineMinute(s.kind == TTripStep::Drive ? s.speed : 0,
                             s.kind == TTripStep::Drive ? sc_.driveRPM : sc_.idleRPM);
                level1_ = std::max(0.0, level1_ - s.burn / 60);
            }
            break;
        case TTripStep::Refuel:
        case TTripStep::Drain: {
            const double before = level1_;
            const double step = (s.kind == TTripStep::Refuel ? s.litres : -s.litres) / s.minutes;
            for (int i = 0; i < s.minutes; ++i) {
                level1_ = std::clamp(level1_ + step, 0.0, vol1);
                engineMinute(0, sc_.idleRPM);
            }
            (s.kind == TTripStep::Refuel ? trip_.truth.refuels : trip_.truth.drains).push_back(std::fabs(level1_ - before));
            break;
        }
        case TTripStep::Park:
            for (int i = 0; i < s.minutes; ++i)
                parkMinute();
            break;
        case TTripStep::PowerOff:
            powerOff(s.minutes);
            break;
        }
    }
    return std::move(trip_);
}

}  // namespace

TTrip GenerateTrip(const TTripScenario& scenario, const TDecodeCar& car, const TDecodeTables& tables)
{
    return Generator(scenario, car, tables).run();
}
