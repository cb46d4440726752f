#pragma once
// The equipment of a car as its T_Cars row stores it, and the same values as the defaults of a car
// type in T_CarTypes. One column table names both columns of every field, so the cars store and the
// car types store read and write the same fields the same way.
#include <QString>
#include <QVariant>
#include <variant>
#include <vector>

class TDbRow;

struct CarEquipment {
    double gsm = 0;
    int tank1Vol = 0, tank2Vol = 0;
    int minRpm = 300, maxRpm = 1000, maxIdleRpm = 500, bestRpm = 500;
    QString description;
    bool usePowerForVolume = false;
    int uPower = 1200;  // hundredths of a volt
    int incCriterion = 1, decCriterion = 1;
    int speedType = 0;
    double speedK = 0;
    int tachType = 0;
    double tachK = 0;
    int fuelMeasureType = 1;  // bits 0-6 the method, bit 7 "only in motion"
    bool usePowerForTemp = false;
    int aInputBak2Type = 0;
    QString aInputBak2Descr;
    double aInputBak2R0 = 0, aInputBak2T0 = 0, aInputBak2Param = 0, aInputBak2RObr = 0;
    int aInput6Type = 0;
    QString aInput6Descr;
    int dInput3Type = 0;
    QString dInput3Descr;
    int dInput3Level = 0;
    double dInput3Param = 0;
    int dInput4Type = 0;
    QString dInput4Descr;
    int dInput4Level = 0;
    double dInput4Param = 0;

    bool operator==(const CarEquipment&) const = default;
};

struct EquipmentColumn {
    using Field = std::variant<int CarEquipment::*, double CarEquipment::*, QString CarEquipment::*,
                               bool CarEquipment::*>;
    const char* carColumn;
    const char* typeColumn;
    Field field;
};

const std::vector<EquipmentColumn>& EquipmentColumns();

enum class EquipmentTable { Cars, CarTypes };

QString EquipmentColumnName(const EquipmentColumn& c, EquipmentTable t);
QVariant EquipmentValue(const CarEquipment& e, const EquipmentColumn& c);
// Fills every field from a row of either table; NULL columns give 0, false or an empty text.
CarEquipment EquipmentFromRow(const TDbRow& r, EquipmentTable t);
