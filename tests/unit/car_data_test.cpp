#include "car_data.h"
#include "equipment_vocabulary.h"
#include "order_header.h"

#include <gtest/gtest.h>

TEST(EquipmentVocabulary, ListsInTheirStoredOrder)
{
    using namespace equipment;
    EXPECT_EQ(SpeedTypes(), (QStringList{"Нет", "Обычный имп./частотный", "Обычн. имп./частотный с пониж. порогом."}));
    EXPECT_EQ(TachTypes(), (QStringList{"Нет", "Обычный имп.", "Обычный имп. с пониж. порогом"}));
    EXPECT_EQ(DInputTypes().value(2), "Триггерный вход");
    EXPECT_EQ(DInputLevels(), (QStringList{"Низкий", "Высокий"}));
    EXPECT_EQ(TempSensorParamCaptions().size(), 4);
    // 129: the method "Измерение тока" with "only in motion" set.
    EXPECT_EQ(FuelMeasureMethods().value(FuelMeasureMethod(129)), "Измерение тока");
    EXPECT_TRUE(FuelOnlyInMotion(129));
    EXPECT_FALSE(FuelOnlyInMotion(1));
}

TEST(CarData, FilledFromRowColumnByColumnInAnyLetterCase)
{
    TCarData car;
    car.Tank1K = QByteArray(1204, char(5));
    const QVariantMap row = {
        {"CARNUMBER", "А123ВС"},       {"INUSE", 3},           {"CARGSM", 12.5},
        {"CARTANK1VOL", 400},          {"CarTank2Vol", 0},     {"CARUSEPOWERFORVOLUME", QVariant()},
        {"CARUPOWER", 2400},           {"CARSPEEDK", 6250.0},  {"CARFUELMEASURETYPE", 129},
        {"AINPUTBAK2DESCR", QString(80, 'd')},                 {"DINPUT4LEVEL", 1},
        {"CARTYPEREF", 7},             {"TYPENAME", "КамАЗ"},
    };
    FillCarFromRow(car, row);
    EXPECT_EQ(car.CarNumber, "А123ВС");
    EXPECT_TRUE(car.InUse);
    EXPECT_EQ(double(car.CarGSM), 12.5);
    EXPECT_EQ(car.CarTank1Vol, 400);
    EXPECT_FALSE(car.CarUsePowerForVolume);  // NULL
    EXPECT_EQ(car.CarUPower, 2400);
    EXPECT_EQ(double(car.CarSpeedK), 6250.0);
    EXPECT_EQ(car.CarFuelMeasureType, 129);
    EXPECT_EQ(car.AInputBak2Descr.size(), 50);
    EXPECT_EQ(car.DInput4Level, 1);
    EXPECT_EQ(car.CarTypeName, "КамАЗ");
    EXPECT_EQ(car.Tank1K, QByteArray(1204, char(5)));  // not a column of T_Cars: untouched
}

TEST(CarData, SecondMainInputNeedsOneTank)
{
    TCarData car;
    car.AInputBak2Type = 1;
    EXPECT_EQ(EffectiveAInputBak2Type(car), 1);
    car.CarTank2Vol = 200;
    EXPECT_EQ(EffectiveAInputBak2Type(car), 0);
}

TEST(CarData, RoundTripThroughTheHeaderCarFields)
{
    TCarData car;
    car.CarNumber = "к777ор";
    car.CarTypeName = "ГАЗель";
    car.CarGSM = 12.6L;
    car.CarTank1Vol = 60;
    car.CarTank2Vol = 40;
    car.CarBestRPM = 2200;
    car.CarUsePowerForVolume = true;
    car.CarUPower = 1200;
    car.CarIncCriterion = 10;
    car.CarSpeedType = 2;
    car.CarTachK = 0.5L;
    car.CarFuelMeasureType = 129;
    car.CarFuelMeasureRObr = 150;
    car.CarDescLong = "Описание";
    car.Tank1K = QByteArray(1204, char(1));
    car.AInputBak2Descr = "Вход";
    car.DInput3Param = -3.25L;
    car.AInput6Param = 7;
    TOrderHeader h;
    StoreCarInHeader(car, h);
    TCarData back;
    FillCarFromHeader(back, h);
    EXPECT_EQ(back.CarNumber, "К777ОР");
    EXPECT_TRUE(back.InUse);
    EXPECT_EQ(back.CarTypeName, car.CarTypeName);
    EXPECT_EQ(double(back.CarGSM), 12.6);
    EXPECT_EQ(back.CarTank2Vol, 40);
    EXPECT_EQ(back.CarBestRPM, 2200);
    EXPECT_TRUE(back.CarUsePowerForVolume);
    EXPECT_EQ(back.CarUPower, 1200);
    EXPECT_EQ(back.CarIncCriterion, 10);
    EXPECT_EQ(back.CarSpeedType, 2);
    EXPECT_EQ(double(back.CarTachK), 0.5);
    EXPECT_EQ(back.CarFuelMeasureType, 129);
    EXPECT_EQ(back.CarDescLong, car.CarDescLong);
    EXPECT_EQ(back.Tank1K, car.Tank1K);
    EXPECT_EQ(back.AInputBak2Descr, car.AInputBak2Descr);
    EXPECT_EQ(double(back.DInput3Param), -3.25);
    EXPECT_EQ(double(back.AInput6Param), 7.0);
}
