#include "car_ref_store.h"

#include "core/interaction.h"
#include "ref_change.h"

using namespace refdb;

namespace {

QString CarOrder(int sortColumn)
{
    switch (sortColumn) {
    case 1: return QStringLiteral(" ORDER BY c.InUse, c.CarNumber");
    case 2: return QStringLiteral(" ORDER BY c.CarTypeRef, c.CarNumber");
    default: return QStringLiteral(" ORDER BY c.CarNumber");
    }
}

QVariant NullInt() { return QVariant(QMetaType(QMetaType::Int)); }

}  // namespace

QList<CarListRow> TCarRefStore::Cars(int sortColumn)
{
    QList<CarListRow> rows;
    for (const TDbRow& r : Rows(data_, "SELECT c.CarNumber, c.InUse, t.TypeName, c.CarDescLong FROM T_Cars c "
                                       "LEFT JOIN T_CarTypes t ON t.UID = c.CarTypeRef" + CarOrder(sortColumn)))
        rows.append({r.text("CarNumber"), r.integer("InUse") != 0, r.text("TypeName"),
                     JoinDescriptionLines(r.text("CarDescLong"))});
    return rows;
}

QStringList TCarRefStore::TypeNames()
{
    QStringList names;
    for (const TDbRow& r : Rows(data_, "SELECT TypeName FROM T_CarTypes ORDER BY TypeName")) names << r.text("TypeName");
    return names;
}

QStringList TCarRefStore::FreeRecorders()
{
    QStringList serials;
    for (const TDbRow& r : Rows(data_, "SELECT RegSerNum FROM T_Registrators WHERE CarNumber IS NULL OR CarNumber = '' "
                                       "ORDER BY RegSerNum"))
        serials << r.text("RegSerNum").trimmed();
    return serials;
}

std::optional<CarValues> TCarRefStore::Car(const QString& number)
{
    std::optional<TDbRow> r;
    if (!data_.SelectOne("SELECT * FROM T_Cars WHERE CarNumber = ?", {number}, r) || !r) return std::nullopt;
    CarValues car;
    car.number = r->text("CarNumber");
    car.inUse = r->integer("InUse") != 0;
    car.typeRef = r->isNull("CarTypeRef") ? NullInt() : r->value("CarTypeRef");
    car.fuelMeasureRObr = r->real("CarFuelMeasureRObr");
    car.equipment = EquipmentFromRow(*r, EquipmentTable::Cars);
    return car;
}

std::optional<CarRecorderInfo> TCarRefStore::RecorderOfCar(const QString& number)
{
    std::optional<TDbRow> r;
    if (number.isEmpty() || !data_.SelectOne("SELECT * FROM T_Registrators WHERE CarNumber = ?", {number}, r) || !r)
        return std::nullopt;
    CarRecorderInfo info;
    info.serial = r->text("RegSerNum").trimmed();
    info.installDate = DateOf(r->value("InstallDate"));
    info.calibrated = r->integer("Calibrated") != 0;
    info.calibrationStart = DateOf(r->value("CalibrationStartDate"));
    info.calibrationEnd = DateOf(r->value("CalibrationEndDate"));
    info.temperatureCalibrated =
        !Rows(data_, "SELECT REGSERNUM FROM T_GRAD WHERE REGSERNUM = ? AND TYPE_GRAD = ?", {info.serial, 1}).empty();
    return info;
}

QVariant TCarRefStore::TypeUid(const QString& typeName)
{
    std::optional<TDbRow> r;
    if (typeName.isEmpty() || !data_.SelectOne("SELECT UID FROM T_CarTypes WHERE TypeName = ?", {typeName}, r) || !r)
        return NullInt();
    return r->integer("UID");
}

TCarRefStore::Exists TCarRefStore::CarExists(const QString& number)
{
    std::optional<TDbRow> r;
    if (!data_.SelectOne("SELECT CarNumber FROM T_Cars WHERE CarNumber = ?", {number}, r)) return Exists::Failed;
    return r ? Exists::Yes : Exists::No;
}

RecorderLookup TCarRefStore::Recorder(const QString& serial)
{
    std::optional<TDbRow> r;
    if (!data_.SelectOne("SELECT CarNumber FROM T_Registrators WHERE RegSerNum = ?", {serial}, r))
        return {RecorderLookup::Failed, {}};
    if (!r) return {RecorderLookup::Missing, {}};
    return {RecorderLookup::Found, r->text("CarNumber").trimmed()};
}

namespace {

void CarColumns(QStringList& columns, QVariantList& values, const CarValues& car)
{
    columns << "InUse" << "CarTypeRef" << "CarFuelMeasureRObr";
    values << (car.inUse ? 1 : 0) << car.typeRef << car.fuelMeasureRObr;
    for (const EquipmentColumn& c : EquipmentColumns()) {
        columns << EquipmentColumnName(c, EquipmentTable::Cars);
        values << EquipmentValue(car.equipment, c);
    }
}

}  // namespace

bool TCarRefStore::Create(const CarValues& car, const QString& recorder)
{
    const TOpCodes codes{"E1104: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию",
                         "E1105: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию"};
    return data_.RunOperation(codes, [&] {
        QStringList columns{"CarNumber"};
        QVariantList values{car.number};
        CarColumns(columns, values, car);
        const QString marks = QStringList(QList<QString>(columns.size(), "?")).join(", ");
        if (!data_.Exec("INSERT INTO T_Cars (" + columns.join(", ") + ") VALUES (" + marks + ")", values))
            return false;
        return recorder.isEmpty() ||
               data_.Exec("UPDATE T_Registrators SET CarNumber = ?, Calibrated = 0 WHERE RegSerNum = ?",
                          {car.number, recorder});
    });
}

QString TCarRefStore::currentRecorder(const QString& number, bool& ok)
{
    std::optional<TDbRow> r;
    ok = data_.SelectOne("SELECT RegSerNum FROM T_Registrators WHERE CarNumber = ?", {number}, r);
    return r ? r->text("RegSerNum").trimmed() : QString();
}

bool TCarRefStore::Change(const CarValues& car, const QString& recorder, const QDate& installDate)
{
    // The number field names the row; one typed over must not write anything (nor bind a recorder
    // to a car that does not exist).
    if (CarExists(car.number) != Exists::Yes) {
        data_.Rollback();
        data_.ui().error("E1126: Указанный автомобиль не найден в базе данных!");
        return false;
    }
    const TOpCodes codes{"E1113: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию",
                         "E1114: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию"};
    return data_.RunOperation(codes, [&] {
        QStringList columns;
        QVariantList values;
        CarColumns(columns, values, car);
        values << car.number;
        if (!data_.Exec("UPDATE T_Cars SET " + columns.join(" = ?, ") + " = ? WHERE CarNumber = ?", values))
            return false;
        bool ok = true;
        const QString current = currentRecorder(car.number, ok);
        if (!ok) return false;
        if (current == recorder) return true;
        if (!current.isEmpty() &&
            !data_.Exec("UPDATE T_Registrators SET CarNumber = '', Calibrated = 0 WHERE RegSerNum = ?", {current}))
            return false;
        return recorder.isEmpty() ||
               data_.Exec("UPDATE T_Registrators SET CarNumber = ?, Calibrated = 0, InstallDate = ? WHERE RegSerNum = ?",
                          {car.number, DateValue(installDate), recorder});
    });
}

bool TCarRefStore::Delete(const QString& number)
{
    const TOpCodes codes{"E1107: Ошибка при удалении: Информация не удалена! Попробуйте повторить операцию",
                         "E1108: Ошибка при удалении! Попробуйте повторить операцию"};
    return data_.RunOperation(codes, [&] {
        // The recorder becomes free and keeps its calibration flag.
        return data_.Exec("DELETE FROM T_Cars WHERE CarNumber = ?", {number}) &&
               data_.Exec("UPDATE T_Registrators SET CarNumber = '' WHERE CarNumber = ?", {number});
    });
}
