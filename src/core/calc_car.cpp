#include "calc_car.h"

#include "car_data.h"

TCalcCar CalcCarFrom(const TCarData& car)
{
    TCalcCar c;
    c.CarTank1Vol = car.CarTank1Vol;
    c.CarTank2Vol = car.CarTank2Vol;
    c.CarIncCriterion = uint32_t(car.CarIncCriterion);
    c.CarDecCriterion = uint32_t(car.CarDecCriterion);
    c.CarFuelMeasureType = car.CarFuelMeasureType;
    c.CarSpeedType = car.CarSpeedType;
    c.CarTachType = car.CarTachType;
    c.CarBestRPM = car.CarBestRPM;
    return c;
}
