#include "car_data.h"

#include "order_header.h"

#include <QHash>

namespace {

// Case-insensitive access to the columns of one row.
class Row {
public:
    explicit Row(const QVariantMap& row)
    {
        for (auto it = row.begin(); it != row.end(); ++it) cols_.insert(it.key().toUpper(), it.value());
    }
    void text(const char* col, QString& out, int maxChars = -1) const
    {
        if (const QVariant* v = find(col)) out = maxChars < 0 ? v->toString() : v->toString().left(maxChars);
    }
    void integer(const char* col, int32_t& out) const
    {
        if (const QVariant* v = find(col)) out = int32_t(v->toLongLong());
    }
    void flag(const char* col, bool& out) const
    {
        if (const QVariant* v = find(col)) out = v->toLongLong() != 0;
    }
    void real(const char* col, long double& out) const
    {
        if (const QVariant* v = find(col)) out = v->toDouble();
    }

private:
    const QVariant* find(const char* col) const
    {
        auto it = cols_.constFind(QString::fromLatin1(col).toUpper());
        return it == cols_.constEnd() ? nullptr : &it.value();
    }
    QHash<QString, QVariant> cols_;
};

}  // namespace

void FillCarFromRow(TCarData& car, const QVariantMap& row)
{
    const Row r(row);
    r.text("CarNumber", car.CarNumber);
    r.flag("InUse", car.InUse);
    r.text("TypeName", car.CarTypeName);
    r.real("CarGSM", car.CarGSM);
    r.integer("CarTank1Vol", car.CarTank1Vol);
    r.integer("CarTank2Vol", car.CarTank2Vol);
    r.integer("CarMinRPM", car.CarMinRPM);
    r.integer("CarMaxRPM", car.CarMaxRPM);
    r.integer("CarMaxIdleRPM", car.CarMaxIdleRPM);
    r.integer("CarBestRPM", car.CarBestRPM);
    r.text("CarDescLong", car.CarDescLong);
    r.flag("CarUsePowerForVolume", car.CarUsePowerForVolume);
    r.integer("CarUPower", car.CarUPower);
    r.integer("CarIncCriterion", car.CarIncCriterion);
    r.integer("CarDecCriterion", car.CarDecCriterion);
    r.integer("CarSpeedType", car.CarSpeedType);
    r.real("CarSpeedK", car.CarSpeedK);
    r.integer("CarTachType", car.CarTachType);
    r.real("CarTachK", car.CarTachK);
    r.integer("CarFuelMeasureType", car.CarFuelMeasureType);
    r.real("CarFuelMeasureRObr", car.CarFuelMeasureRObr);
    r.integer("AInputBak2Type", car.AInputBak2Type);
    r.text("AInputBak2Descr", car.AInputBak2Descr, kCarInputDescrMax);
    r.real("AInputBak2R0", car.AInputBak2R0);
    r.real("AInputBak2T0", car.AInputBak2T0);
    r.real("AInputBak2Param", car.AInputBak2Param);
    r.real("AInputBak2RObr", car.AInputBak2RObr);
    r.integer("AInput6Type", car.AInput6Type);
    r.text("AInput6Descr", car.AInput6Descr, kCarInputDescrMax);
    r.real("AInput6Param", car.AInput6Param);
    r.integer("DInput3Type", car.DInput3Type);
    r.text("DInput3Descr", car.DInput3Descr, kCarInputDescrMax);
    r.integer("DInput3Level", car.DInput3Level);
    r.real("DInput3Param", car.DInput3Param);
    r.integer("DInput4Type", car.DInput4Type);
    r.text("DInput4Descr", car.DInput4Descr, kCarInputDescrMax);
    r.integer("DInput4Level", car.DInput4Level);
    r.real("DInput4Param", car.DInput4Param);
}

void FillCarFromHeader(TCarData& car, const TOrderHeader& h)
{
    car.CarNumber = h.CarNumber();
    car.InUse = true;
    car.CarTypeName = h.CarTypeName();
    car.CarGSM = h.CarGSM();
    car.CarTank1Vol = h.CarTank1Vol();
    car.CarTank2Vol = h.CarTank2Vol();
    car.CarMinRPM = h.CarMinRPM();
    car.CarMaxRPM = h.CarMaxRPM();
    car.CarMaxIdleRPM = h.CarMaxIdleRPM();
    car.CarBestRPM = h.CarBestRPM();
    car.CarDescLong = h.CarDescLong();
    car.CarUsePowerForVolume = h.CarUsePowerForVolume() != 0;
    car.CarUPower = h.CarUPower();
    car.CarIncCriterion = h.CarIncCriterion();
    car.CarDecCriterion = h.CarDecCriterion();
    car.CarSpeedType = h.CarSpeedType();
    car.CarSpeedK = h.CarSpeedK();
    car.CarTachType = h.CarTachType();
    car.CarTachK = h.CarTachK();
    car.CarFuelMeasureType = h.CarFuelMeasureType();
    car.CarFuelMeasureRObr = h.CarFuelMeasureRObr();
    car.Tank1K = h.Tank1K();
    car.Tank2K = h.Tank2K();
    car.AInputBak2Type = h.AInputBak2Type();
    car.AInputBak2Descr = h.AInputBak2Descr();
    car.AInputBak2R0 = h.AInputBak2R0();
    car.AInputBak2T0 = h.AInputBak2T0();
    car.AInputBak2Param = h.AInputBak2Param();
    car.AInputBak2RObr = h.AInputBak2RObr();
    car.AInput6Type = h.AInput6Type();
    car.AInput6Descr = h.AInput6Descr();
    car.AInput6Param = h.AInput6Param();
    car.DInput3Type = h.DInput3Type();
    car.DInput3Descr = h.DInput3Descr();
    car.DInput3Level = h.DInput3Level();
    car.DInput3Param = h.DInput3Param();
    car.DInput4Type = h.DInput4Type();
    car.DInput4Descr = h.DInput4Descr();
    car.DInput4Level = h.DInput4Level();
    car.DInput4Param = h.DInput4Param();
}

int32_t EffectiveAInputBak2Type(const TCarData& car)
{
    return car.CarTank2Vol > 0 ? 0 : car.AInputBak2Type;
}

void StoreCarInHeader(const TCarData& car, TOrderHeader& h)
{
    h.SetCarNumber(car.CarNumber);
    h.SetCarTypeName(car.CarTypeName);
    h.SetCarTank1Vol(uint16_t(car.CarTank1Vol));
    h.SetCarTank2Vol(uint16_t(car.CarTank2Vol));
    h.SetCarMinRPM(uint16_t(car.CarMinRPM));
    h.SetCarMaxRPM(uint16_t(car.CarMaxRPM));
    h.SetCarMaxIdleRPM(uint16_t(car.CarMaxIdleRPM));
    h.SetCarBestRPM(uint16_t(car.CarBestRPM));
    h.SetCarGSM(car.CarGSM);
    h.SetCarUPower(car.CarUPower);
    h.SetCarUsePowerForVolume(car.CarUsePowerForVolume ? 1 : 0);
    h.SetCarIncCriterion(uint16_t(car.CarIncCriterion));
    h.SetCarDecCriterion(uint16_t(car.CarDecCriterion));
    h.SetCarSpeedType(uint8_t(car.CarSpeedType));
    h.SetCarSpeedK(car.CarSpeedK);
    h.SetCarTachType(uint8_t(car.CarTachType));
    h.SetCarTachK(car.CarTachK);
    h.SetCarFuelMeasureType(uint8_t(car.CarFuelMeasureType));
    h.SetCarFuelMeasureRObr(car.CarFuelMeasureRObr);
    h.SetTank1K(car.Tank1K);
    h.SetTank2K(car.Tank2K);
    h.SetCarDescLong(car.CarDescLong);
    h.SetAInputBak2Type(car.AInputBak2Type);
    h.SetAInputBak2Descr(car.AInputBak2Descr);
    h.SetAInputBak2R0(car.AInputBak2R0);
    h.SetAInputBak2T0(car.AInputBak2T0);
    h.SetAInputBak2Param(car.AInputBak2Param);
    h.SetAInputBak2RObr(car.AInputBak2RObr);
    h.SetAInput6Type(car.AInput6Type);
    h.SetAInput6Descr(car.AInput6Descr);
    h.SetAInput6Param(car.AInput6Param);
    h.SetDInput3Type(car.DInput3Type);
    h.SetDInput3Descr(car.DInput3Descr);
    h.SetDInput3Level(car.DInput3Level);
    h.SetDInput3Param(car.DInput3Param);
    h.SetDInput4Type(car.DInput4Type);
    h.SetDInput4Descr(car.DInput4Descr);
    h.SetDInput4Level(car.DInput4Level);
    h.SetDInput4Param(car.DInput4Param);
}
