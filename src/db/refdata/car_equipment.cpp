#include "car_equipment.h"

#include "db_row.h"

const std::vector<EquipmentColumn>& EquipmentColumns()
{
    using E = CarEquipment;
    static const std::vector<EquipmentColumn> columns = {
        {"CarGSM", "DefaultTypGSM", &E::gsm},
        {"CarTank1Vol", "DefaultTank1Volume", &E::tank1Vol},
        {"CarTank2Vol", "DefaultTank2Volume", &E::tank2Vol},
        {"CarMinRPM", "DefaultMinRPM", &E::minRpm},
        {"CarMaxRPM", "DefaultMaxRPM", &E::maxRpm},
        {"CarMaxIdleRPM", "DefaultMaxIdleRPM", &E::maxIdleRpm},
        {"CarBestRPM", "DefaultBestRPM", &E::bestRpm},
        {"CarDescLong", "Description", &E::description},
        {"CarUsePowerForVolume", "DefaultUsePowerForVolume", &E::usePowerForVolume},
        {"CarUPower", "DefaultUPower", &E::uPower},
        {"CarIncCriterion", "DefaultIncCriterion", &E::incCriterion},
        {"CarDecCriterion", "DefaultDecCriterion", &E::decCriterion},
        {"CarSpeedType", "DefaultSpeedType", &E::speedType},
        {"CarSpeedK", "DefaultSpeedK", &E::speedK},
        {"CarTachType", "DefaultTachType", &E::tachType},
        {"CarTachK", "DefaultTachK", &E::tachK},
        {"CarFuelMeasureType", "DefaultFuelMeasureType", &E::fuelMeasureType},
        {"CARUSEPOWERFORTEMP", "DefaultUSEPOWERFORTEMP", &E::usePowerForTemp},
        {"AInputBak2Type", "DefaultAInputBak2Type", &E::aInputBak2Type},
        {"AInputBak2Descr", "DefaultAInputBak2Descr", &E::aInputBak2Descr},
        {"AInputBak2R0", "DefaultAInputBak2R0", &E::aInputBak2R0},
        {"AInputBak2T0", "DefaultAInputBak2T0", &E::aInputBak2T0},
        {"AInputBak2RObr", "DefaultAInputBak2RObr", &E::aInputBak2RObr},
        {"AInputBak2Param", "DefaultAInputBak2Param", &E::aInputBak2Param},
        {"AInput6Type", "DefaultAInput6Type", &E::aInput6Type},
        {"AInput6Descr", "DefaultAInput6Descr", &E::aInput6Descr},
        {"DInput3Type", "DefaultDInput3Type", &E::dInput3Type},
        {"DInput3Descr", "DefaultDInput3Descr", &E::dInput3Descr},
        {"DInput3Level", "DefaultDInput3Level", &E::dInput3Level},
        {"DInput3Param", "DefaultDInput3Param", &E::dInput3Param},
        {"DInput4Type", "DefaultDInput4Type", &E::dInput4Type},
        {"DInput4Descr", "DefaultDInput4Descr", &E::dInput4Descr},
        {"DInput4Level", "DefaultDInput4Level", &E::dInput4Level},
        {"DInput4Param", "DefaultDInput4Param", &E::dInput4Param},
    };
    return columns;
}

QString EquipmentColumnName(const EquipmentColumn& c, EquipmentTable t)
{
    return QString::fromLatin1(t == EquipmentTable::Cars ? c.carColumn : c.typeColumn);
}

QVariant EquipmentValue(const CarEquipment& e, const EquipmentColumn& c)
{
    return std::visit(
        [&](auto member) -> QVariant {
            const auto& v = e.*member;
            if constexpr (std::is_same_v<std::decay_t<decltype(v)>, bool>) return v ? 1 : 0;
            else return QVariant::fromValue(v);
        },
        c.field);
}

CarEquipment EquipmentFromRow(const TDbRow& r, EquipmentTable t)
{
    CarEquipment e;
    for (const EquipmentColumn& c : EquipmentColumns()) {
        const QString name = EquipmentColumnName(c, t);
        const QVariant v = r.value(name);
        std::visit(
            [&](auto member) {
                auto& f = e.*member;
                using F = std::decay_t<decltype(f)>;
                if constexpr (std::is_same_v<F, QString>) f = r.text(name);
                else if constexpr (std::is_same_v<F, bool>) f = !v.isNull() && v.toInt() != 0;
                else if constexpr (std::is_same_v<F, int>) f = v.isNull() ? 0 : qRound(v.toDouble());
                else f = v.isNull() ? 0.0 : v.toDouble();
            },
            c.field);
    }
    return e;
}
