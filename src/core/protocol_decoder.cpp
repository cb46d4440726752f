#include "protocol_decoder.h"

#include "code_memo.h"
#include "grad_table.h"
#include "protokol_clock.h"

#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

constexpr int kNone = -1;

// Round half to even of a finite value of modest size (a library call is too slow per sample).
int64_t roundEven(long double v)
{
    const int64_t t = int64_t(v);   // toward zero
    const long double frac = v - t;
    if (frac > 0.5L || (frac == 0.5L && (t & 1)))
        return t + 1;
    if (frac < -0.5L || (frac == -0.5L && (t & 1)))
        return t - 1;
    return t;
}

// Rounded half to even and saturated to 16 bits: a tiny factor must not wrap around.
uint16_t round16(long double v)
{
    if (!(v > 0))
        return 0;
    return v >= 65535 ? 65535 : uint16_t(roundEven(v));
}

class Decoder {
public:
    Decoder(const TDecodeCar& car, const TDecodeTables& tables, const TDecodeSettings& settings, TKDDData& out)
        : car_(car), tables_(tables), settings_(settings), s_(out),
          tank1_(tables.Tank1, GradKey(car.CarFuelMeasureType, car.CarUsePowerForVolume)),
          tank2_(tables.Tank2, GradKey(car.CarFuelMeasureType, car.CarUsePowerForVolume)),
          temp_(tables.Temp, VoltageKey(car.CarUsePowerForTemp)),
          tank1Voltage_(tables.Tank1, VoltageKey(car.CarUsePowerForVolume)),
          tank2Voltage_(tables.Tank2, VoltageKey(car.CarUsePowerForVolume))
    {
    }

    void run(const TProtokolRecords& records);
    void finish(double& endTime, double& startTime, TDecodeReport* report);

private:
    bool append(uint32_t flags);
    bool openSample(uint8_t seq, bool& appended);
    void clock(const TProtokolRecord& r);
    void switchOff();
    void part1(const TProtokolRecord& r);
    void part2(const TProtokolRecord& r);
    void part3(const TProtokolRecord& r);
    void engineOff(const TProtokolRecord& r);
    void analog(const TProtokolRecord& r);
    void motion(const TProtokolRecord& r);
    void calibrationHeader(const TProtokolRecord& r);

    void boardVoltage(const TProtokolRecord& r, bool setEngine);
    void segmentFlags();
    int32_t tankVolume(const TProtokolRecord& r, int tank);
    int32_t voltageVolume(uint32_t s, int tank);
    int32_t limitVolume(long double volume, int tank) const;
    int32_t secondInputTemperature(const TProtokolRecord& r) const;
    int8_t engineTemperature(const TProtokolRecord& r);
    void speedAndPath(uint32_t pulses);
    void tachometer(uint32_t pulses);

    TKDDSample& V() { return s_[size_t(v_)]; }
    bool hasX() const { return x_ != kNone; }
    TKDDSample& X() { return s_[size_t(x_)]; }
    const TGradLookup& tankByKey(int tank) const { return tank == 1 ? tank1_ : tank2_; }
    const TGradLookup& tankByVoltage(int tank) const { return tank == 1 ? tank1Voltage_ : tank2Voltage_; }
    int32_t tankVol(int tank) const { return tank == 1 ? car_.CarTank1Vol : car_.CarTank2Vol; }

    const TDecodeCar& car_;
    const TDecodeTables& tables_;
    const TDecodeSettings& settings_;
    TKDDData& s_;
    TGradLookup tank1_, tank2_, temp_;   // by the tables' own key (resistance for current)
    TGradLookup tank1Voltage_, tank2Voltage_;   // voltage lookups search U or U_REDUCED
    TCodeMemo memoTank1_, memoTank2_, memoTemp_, memoSpeed_, memoRPM_;

    std::optional<TProtokolSeconds> start_;
    TProtokolSeconds running_ = 0;
    bool clockSeen_ = false;
    bool stopped_ = false;
    int v_ = kNone, x_ = kNone;
    uint8_t lastSeq_ = 0, partTag_ = 0, partSet_ = 0;
    int lastPart1_ = kNone, beforePart1_ = kNone;
    int32_t lastTank1_ = 0, lastTank2_ = 0;
    uint32_t path_ = 0;
    TConverterCalibration calib_;
    bool hasCalibration_ = false;
    int refScale_ = 40;   // from the last calibration header's Options
};

bool Decoder::append(uint32_t flags)
{
    if (s_.size() >= kMaxProtocolSamples) {
        stopped_ = true;
        return false;
    }
    TKDDSample sample;
    sample.Flags = flags;
    s_.push_back(sample);
    return true;
}

bool Decoder::openSample(uint8_t seq, bool& appended)
{
    appended = false;
    if (seq != lastSeq_ || s_.empty()) {
        if (!append(sfNew))
            return false;
        running_ += 60;
        appended = true;
    }
    v_ = int(s_.size()) - 1;
    if (s_.size() >= 2)
        x_ = v_ - 1;
    return true;
}

void Decoder::clock(const TProtokolRecord& r)
{
    const auto t = DecodeProtokolClock(r);
    if (!t)
        return;
    if (!start_) {
        start_ = *t;
        running_ = *t;
    } else {
        if (*t - running_ > kMaxClockJumpSeconds)
            return;   // a corrupt clock, not a month-long pause
        int64_t g = std::llabs(*t - running_);
        if (!clockSeen_)
            g += 1;
        if (running_ < *t && g > 60) {
            const int64_t n = g / 60;
            for (int64_t i = 0; i < n; ++i)
                if (!append(0))
                    return;
            v_ = int(s_.size()) - 1;
            running_ += n * 60;
        }
    }
    clockSeen_ = true;
}

void Decoder::switchOff()
{
    if (v_ != kNone) {
        V().Flags |= sfPowerOff;
        if (V().Flags & sfEngine)
            V().Flags |= sfSegEnd;
    }
    clockSeen_ = false;
}

void Decoder::boardVoltage(const TProtokolRecord& r, bool setEngine)
{
    V().UBoard = uint16_t(uint32_t(r.word(9)) * 4000 / 65535);
    if (setEngine && V().UBoard > 0.7L * car_.CarUPower)
        V().Flags |= sfEngine;
}

void Decoder::segmentFlags()
{
    const bool engine = V().Flags & sfEngine;
    if (engine && (!hasX() || !(X().Flags & sfEngine)))
        V().Flags |= sfSegStart;
    else if (hasX() && !engine && (X().Flags & sfEngine))
        X().Flags |= sfSegEnd;
}

int32_t Decoder::limitVolume(long double volume, int tank) const
{
    const long double limit = tankVol(tank) * 100.0L;
    if (!(volume >= 0))
        volume = 0;
    if (volume > limit)
        volume = limit;
    return int32_t(volume);   // truncation toward zero
}

int32_t Decoder::voltageVolume(uint32_t s, int tank)
{
    uint32_t reading = s;
    if (car_.CarUsePowerForVolume) {
        const uint16_t board = s_[size_t(v_)].UBoard;
        if (board == 0)
            return 0;
        reading = s * uint32_t(std::max(car_.CarUPower, 0)) / board;
    }
    return (tank == 1 ? memoTank1_ : memoTank2_).get(reading, [&] {
        const long double v = tankByVoltage(tank).byVoltage(reading, false) * 100;
        return std::isfinite(v) ? (v < 2.1e9L ? int32_t(v) : INT32_MAX) : 0;
    });
}

int32_t Decoder::tankVolume(const TProtokolRecord& r, int tank)
{
    const uint32_t s = r.word(5);
    const long double ref = settings_.UseDiffInADC
                                ? r.word(7) * static_cast<long double>(refScale_) / 65535
                                : uint32_t(uint32_t(r.word(3)) - s) * 40.0L / 65535;
    const long double us = s * 40.0L / 65535;
    const int type = car_.CarFuelMeasureType & 0x7F;
    long double volume;
    if (us > 9.0L || (type == 1 && std::fabs(ref) <= 0.01L)) {
        volume = hasX() ? (tank == 1 ? X().Tank1 : X().Tank2) : 0;
    } else if (type == 0) {
        volume = voltageVolume(s, tank);
    } else if (type == 1) {
        const long double k = tank == 1 ? calib_.eK1() : calib_.eK2();
        const long double d = tank == 1 ? calib_.eD1() : calib_.eD2();
        const long double den = us * k + ref - d;
        const long double resistance = den == 0 ? NAN : std::fabs(us * car_.CarFuelMeasureRObr / den);
        volume = std::isfinite(resistance) ? tankByKey(tank).byResistance(resistance) * 100 : 0;
    } else {
        volume = s;
    }
    const int32_t v = limitVolume(volume, tank);
    (tank == 1 ? lastTank1_ : lastTank2_) = v;
    return v;
}

int32_t Decoder::secondInputTemperature(const TProtokolRecord& r) const
{
    if (car_.AInputBak2Type != 1)
        return 0;
    const long double us = r.word(5) * 40.0L / 65535;
    const long double ref = settings_.UseDiffInADC
                                ? r.word(7) * static_cast<long double>(refScale_) / 65535
                                : uint32_t(uint32_t(r.word(3)) - r.word(5)) * 40.0L / 65535;
    if (ref == 0 || car_.AInputBak2Param == 0)
        return 0;
    const long double t =
        ((std::fabs(us * car_.AInputBak2RObr / ref) - car_.AInputBak2R0) / car_.AInputBak2Param + car_.AInputBak2T0) * 100;
    if (!std::isfinite(t) || std::fabs(t) > 2.1e9L)
        return 0;
    return int32_t(roundEven(t));
}

int8_t Decoder::engineTemperature(const TProtokolRecord& r)
{
    uint32_t v = uint32_t(r.word(9)) * 4000 / 65535;
    if (car_.CarUsePowerForTemp) {
        const uint16_t board = s_[size_t(v_)].UBoard;
        v = board == 0 ? 0 : uint32_t(std::max(car_.CarUPower, 0)) * v / board;
    }
    return int8_t(memoTemp_.get(v, [&] {
        long double x = temp_.byVoltage(v, true);
        x = std::isfinite(x) && std::fabs(x) < 1e15L ? std::trunc(x) : 0;
        return int32_t(uint8_t(roundEven(x / 100) - 50));
    }));
}

void Decoder::speedAndPath(uint32_t p)
{
    const long double k = car_.CarSpeedK;
    TKDDSample& v = V();
    const uint32_t both = uint32_t(memoSpeed_.get(p, [&] {
        const uint32_t step = k > 0 ? round16(p * 1000.0L / k) : 0;
        const uint32_t speed = k > 0 ? round16(p * 60.0L / k) : 0;
        return int32_t(step | speed << 16);
    }));
    v.PathStep = uint16_t(both);
    path_ += v.PathStep;
    v.Path = path_;
    v.Speed = uint16_t(both >> 16);
    if (v.Speed > 0)
        v.Flags |= sfMoving;
}

void Decoder::tachometer(uint32_t t)
{
    const long double k = car_.CarTachK;
    TKDDSample& v = V();
    v.RPM = uint16_t(memoRPM_.get(t, [&] { return int32_t(k > 0 ? round16(t / k) : 0); }));
    if (v.RPM > car_.CarMinRPM) {
        v.Flags |= sfTurning;
        if (v.RPM <= car_.CarMaxIdleRPM)
            v.Flags |= sfIdle;
        if (v.RPM > car_.CarMaxRPM)
            v.Flags |= sfOverRev;
    }
}

void Decoder::part1(const TProtokolRecord& r)
{
    bool appended;
    if (!openSample(r.sequence(), appended))
        return;
    if (appended) {
        beforePart1_ = lastPart1_;
        lastPart1_ = v_;
        if (partSet_ != 7 && beforePart1_ != kNone)
            s_[size_t(beforePart1_)].Flags &= ~uint32_t(sfData);
        partSet_ = 0;
    }
    partTag_ = r.sequence();
    partSet_ |= 1;
    V().Flags |= sfData;
    boardVoltage(r, true);
    segmentFlags();
    if (V().Flags & sfEngine)
        V().Tank1 = tankVolume(r, 1);
}

void Decoder::part2(const TProtokolRecord& r)
{
    if (partTag_ == 0 || v_ == kNone || r.sequence() != partTag_)
        return;
    partSet_ |= 2;
    if (V().Flags & sfEngine) {
        V().Tank2 = car_.CarTank2Vol != 0 ? tankVolume(r, 2) : secondInputTemperature(r);
        if (car_.AInput6Type == 1)
            V().Temp = engineTemperature(r);
    } else {
        V().Tank1 = lastTank1_;
        V().Tank2 = 0;
        V().Temp = 0;
    }
}

void Decoder::part3(const TProtokolRecord& r)
{
    if (partTag_ != 0 && v_ != kNone && r.sequence() == partTag_) {
        partSet_ |= 4;
        TKDDSample& v = V();
        if (car_.CarSpeedType != 0)
            speedAndPath(r.word(5));
        else
            v.Speed = v.PathStep = 0, v.Path = 0;
        if (car_.CarTachType != 0)
            tachometer(r.word(3));
        else
            v.RPM = 0;
        v.Count3 = r.word(7);
        v.Count4 = r.word(9);
        v.Inputs = r.b[2];
    }
    partTag_ = 0;
}

void Decoder::engineOff(const TProtokolRecord& r)
{
    bool appended;
    if (!openSample(r.sequence(), appended))
        return;
    partTag_ = r.sequence();
    V().Flags = sfData;
    boardVoltage(r, false);
    partSet_ = 7;
    if (hasX() && (X().Flags & sfEngine))
        X().Flags |= sfSegEnd;
}

void Decoder::analog(const TProtokolRecord& r)
{
    bool appended;
    if (!openSample(r.sequence(), appended))
        return;
    V().Flags |= sfData;
    boardVoltage(r, true);
    if (V().Flags & sfEngine) {
        const uint32_t s1 = r.word(3), s2 = r.word(5);
        const long double us1 = s1 * 40.0L / 65535, us2 = s2 * 40.0L / 65535;
        const int type = car_.CarFuelMeasureType & 0x7F;
        long double volume;
        if (us1 > 9.0L || std::fabs(us1 - us2) <= 0.01L) {
            volume = hasX() ? X().Tank1 : 0;
        } else if (type == 0) {
            volume = voltageVolume(s1, 1);
        } else if (type == 1) {
            const uint32_t diff = s2 - s1;
            volume = diff == 0 ? 0
                               : tank1_.byResistance(std::fabs(s1 * car_.CarFuelMeasureRObr / diff)) * 100;
        } else {
            volume = s1;
        }
        lastTank1_ = limitVolume(volume, 1);
        V().Tank1 = lastTank1_;
    } else {
        V().Tank1 = lastTank1_;
    }
    V().Tank2 = 0;
    segmentFlags();
}

void Decoder::motion(const TProtokolRecord& r)
{
    bool appended;
    if (!openSample(r.sequence(), appended))
        return;
    TKDDSample& v = V();
    v.Flags |= sfData;
    if (car_.CarSpeedType == 0) {
        v.Speed = v.PathStep = 0, v.Path = 0;
    } else {
        const uint32_t p = car_.CarSpeedType == 1 ? r.word(7) : car_.CarSpeedType == 2 ? r.word(5) : 0;
        speedAndPath(p);
    }
    if (car_.CarTachType == 0) {
        v.RPM = 0;
    } else {
        const uint32_t t = car_.CarTachType == 1 ? r.word(9) : car_.CarTachType == 2 ? r.word(3) : 0;
        tachometer(t);
    }
}

void Decoder::calibrationHeader(const TProtokolRecord& r)
{
    calib_.HWVer = r.b[3];
    calib_.SWVer = r.b[4];
    calib_.Options = r.b[5];
    refScale_ = ReferenceScale(calib_.Options);
    ComputeCalibrationValues(calib_, settings_.UseDiffInADC);
    hasCalibration_ = true;
    if (settings_.OnCalibration)
        settings_.OnCalibration(calib_);
}

void Decoder::run(const TProtokolRecords& records)
{
    for (const TProtokolRecord& r : records) {
        if (stopped_)
            return;
        const uint8_t type = r.type();
        const uint8_t seq = r.sequence();
        switch (type) {
        case 0:
        case 40: clock(r); continue;
        case 1: switchOff(); break;
        case 2:
        case 4:
        case 10:
            if (!start_)
                continue;   // before the first clock: no sample, sequence byte untouched
            type == 2 ? analog(r) : type == 4 ? motion(r) : part1(r);
            break;
        case 12: part2(r); break;
        case 14: part3(r); break;
        case 16: engineOff(r); break;
        case 18: calibrationHeader(r); break;
        default:
            if (type >= 20 && type <= 34 && type % 2 == 0) {
                StoreCalibrationChunk(calib_, (type - 20) / 2, r.b.data());
                break;
            }
            continue;   // ignored types
        }
        lastSeq_ = seq;
    }
}

void Decoder::finish(double& endTime, double& startTime, TDecodeReport* report)
{
    if (!s_.empty())
        s_.back().Flags |= sfSegEnd;
    startTime = start_ ? ProtokolSecondsToDateTime(*start_) : 0;
    endTime = start_ ? ProtokolSecondsToDateTime(running_) : 0;
    if (report) {
        report->Truncated = stopped_;
        report->HasCalibration = hasCalibration_;
        report->LastCalibration = calib_;
    }
}

}  // namespace

bool DecodeProtocol(const TProtokolRecords& records, const TDecodeCar& car, const TDecodeTables& tables,
                    const TDecodeSettings& settings, TKDDData& out, double& endTime, double& startTime,
                    TDecodeReport* report)
{
    out.clear();
    if (records.empty())
        return false;
    // One sample a minute, a few records a minute: reserve once instead of growing.
    out.reserve(std::min(records.size() / 2 + 16, kMaxProtocolSamples));
    Decoder d(car, tables, settings, out);
    d.run(records);
    d.finish(endTime, startTime, report);
    return true;
}
