#pragma once
// The car record the program carries in memory: decoding, statistics, charts and reports work on
// it. It is filled from a T_Cars row (given as a plain record of column values, so core needs no
// database) or from the car fields of an order header.
#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <cstdint>

class TOrderHeader;

struct TCarData {
    QString CarNumber;
    bool InUse = false;
    QString CarTypeName;
    long double CarGSM = 0;
    int32_t CarTank1Vol = 0;
    int32_t CarTank2Vol = 0;
    int32_t CarMinRPM = 0;
    int32_t CarMaxRPM = 0;
    int32_t CarMaxIdleRPM = 0;
    int32_t CarBestRPM = 0;
    QString CarDescLong;
    bool CarUsePowerForVolume = false;
    int32_t CarUPower = 0;  // hundredths of a volt
    int32_t CarIncCriterion = 0;
    int32_t CarDecCriterion = 0;
    int32_t CarSpeedType = 0;
    long double CarSpeedK = 0;
    int32_t CarTachType = 0;
    long double CarTachK = 0;
    int32_t CarFuelMeasureType = 0;  // bits 0 ... 6 the method, bit 7 only in motion
    long double CarFuelMeasureRObr = 0;
    QByteArray Tank1K = QByteArray(1204, '\0');  // point count and 20 points, as in the order header
    QByteArray Tank2K = QByteArray(1204, '\0');
    int32_t AInputBak2Type = 0;
    QString AInputBak2Descr;  // at most 50 characters
    long double AInputBak2R0 = 0;
    long double AInputBak2T0 = 0;
    long double AInputBak2Param = 0;
    long double AInputBak2RObr = 0;
    int32_t AInput6Type = 0;
    QString AInput6Descr;
    int32_t DInput3Type = 0;
    QString DInput3Descr;
    int32_t DInput3Level = 0;
    long double DInput3Param = 0;
    int32_t DInput4Type = 0;
    QString DInput4Descr;
    int32_t DInput4Level = 0;
    long double DInput4Param = 0;
    long double AInput6Param = 0;
};

constexpr int kCarInputDescrMax = 50;

// Column by column from a T_Cars row: only the columns present in the row are taken (column names
// match in any letter case, as database drivers report them), NULL reads as 0 or empty, non-zero
// integers give true for the Boolean fields and descriptions are cut to 50 characters. CarTypeName
// is taken from a "TypeName" column when the row carries one; Tank1K and Tank2K are not columns
// of T_Cars and stay as they are.
void FillCarFromRow(TCarData& car, const QVariantMap& row);

// Everything the order header carries about the car: number, type name, volumes, RPM values,
// sensors, thresholds, the extra inputs, the description and both tank tables. InUse becomes true.
void FillCarFromHeader(TCarData& car, const TOrderHeader& header);

// The car fields of the order header from a car record (number in upper case, texts and integers
// cut to their fields). The recorder fields, the temperature points and the order fields are left.
void StoreCarInHeader(const TCarData& car, TOrderHeader& header);

// The second main input can only be used without a second tank: with CarTank2Vol above 0 its type
// counts as "Не используется".
int32_t EffectiveAInputBak2Type(const TCarData& car);
