#include "statistics_view.h"

#include "fuel_actions_text.h"

namespace {

class TFieldWriter {
public:
    TFieldWriter(TStatisticsView& view, QChar sep) : view_(view), sep_(sep) {}

    void Integer(const char* name, int32_t value, bool shown) { Add(name, QString::number(value), shown); }
    void Hours(const char* name, int32_t seconds, bool shown) { Add(name, OneDecimalText(seconds / 3600.0L, sep_), shown); }
    void Litres(const char* name, int32_t centilitres, bool shown)
    {
        Add(name, OneDecimalText(centilitres / 100.0L, sep_), shown);
    }
    void Decimal(const char* name, long double value, bool shown) { Add(name, OneDecimalText(value, sep_), shown); }

private:
    void Add(const char* name, const QString& text, bool shown)
    {
        view_.Fields.push_back(TStatisticsField{QString::fromLatin1(name), shown ? text : QStringLiteral("0"), shown});
    }

    TStatisticsView& view_;
    QChar sep_;
};

}  // namespace

const TStatisticsField* TStatisticsView::Field(const QString& name) const
{
    for (const TStatisticsField& f : Fields)
        if (f.Name == name) return &f;
    return nullptr;
}

TStatisticsView ShowStatistics(const TProtokolCalcData& calc, const TCalcCar& car, QChar decimalSeparator)
{
    TStatisticsView view;
    TFieldWriter w(view, decimalSeparator);
    const bool speed = car.CarSpeedType != 0, tach = car.CarTachType != 0, tank2 = car.CarTank2Vol != 0;

    w.Integer("edtAverSpeed", calc.AverSpeed, speed);
    w.Integer("edtAverSpeedTotal", calc.AverSpeedTotal, speed);
    w.Integer("edtMaxSpeed", calc.MaxSpeed, speed);
    w.Integer("edtPathReal", calc.PathReal, speed);
    w.Integer("edtPathRol", calc.PathRol, speed);
    w.Hours("edtStopTime", calc.StopTime, speed);
    w.Hours("edtRolTime", calc.RolTime, speed);
    w.Decimal("edtAverGSM", calc.AverGSM, speed);
    w.Hours("edtTotalTime", calc.TotalTime, true);
    w.Hours("edtEngineActiveTime", calc.EngineActiveTime, tach);
    w.Hours("edtEngineIdleTime", calc.EngineIdleTime, tach);
    w.Integer("edtAverRPM", calc.AverRPM, tach);
    w.Litres("edtStartFuelVol1", calc.StartFuelVol1, true);
    w.Litres("edtEndFuelVol1", calc.EndFuelVol1, true);
    w.Litres("edtStartFuelVol2", calc.StartFuelVol2, tank2);
    w.Litres("edtEndFuelVol2", calc.EndFuelVol2, tank2);
    w.Litres("edtFuelExpTotal", calc.FuelExpTotal, true);
    w.Litres("edtFuelExpIdle", calc.FuelExpIdle, true);
    w.Litres("edtFuelExpTotalClean", calc.FuelExpTotalClean, true);
    w.Integer("edtFuelIncCount", calc.FuelIncCount, true);
    w.Integer("edtFuelDecCount", calc.FuelDecCount, true);
    w.Litres("edtTotalFuelInc", calc.TotalFuelInc, true);
    w.Litres("edtTotalFuelDec", calc.TotalFuelDec, true);
    w.Integer("edtRegOffCount", calc.RegOffCount, true);
    view.FuelActions = FuelActionsText(calc.FuelActions, decimalSeparator);
    return view;
}
