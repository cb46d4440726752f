#include "car_ref_store.h"

#include "core/interaction.h"
#include "car_type_ref_store.h"
#include "ref_change.h"

#include <QSqlQuery>
#include <QSqlRecord>

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

QDate DateOf(const QVariant& v) { return v.isNull() ? QDate() : v.toDateTime().date(); }

}  // namespace

QList<CarListRow> TCarRefStore::Cars(int sortColumn)
{
    QList<CarListRow> rows;
    QSqlQuery q(db_);
    if (!TryExec(q, "SELECT c.CarNumber, c.InUse, t.TypeName, c.CarDescLong FROM T_Cars c "
                    "LEFT JOIN T_CarTypes t ON t.UID = c.CarTypeRef" + CarOrder(sortColumn)))
        return rows;
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toInt() != 0, q.value(2).toString(),
                     JoinDescriptionLines(BlobText(q.value(3)))});
    return rows;
}

QStringList TCarRefStore::TypeNames()
{
    QStringList names;
    QSqlQuery q(db_);
    if (TryExec(q, "SELECT TypeName FROM T_CarTypes ORDER BY TypeName"))
        while (q.next()) names << q.value(0).toString();
    return names;
}

QStringList TCarRefStore::FreeRecorders()
{
    QStringList serials;
    QSqlQuery q(db_);
    if (TryExec(q, "SELECT RegSerNum FROM T_Registrators WHERE CarNumber IS NULL OR CarNumber = '' "
                   "ORDER BY RegSerNum"))
        while (q.next()) serials << q.value(0).toString().trimmed();
    return serials;
}

std::optional<CarValues> TCarRefStore::Car(const QString& number)
{
    QSqlQuery q(db_);
    if (!TryExec(q, "SELECT * FROM T_Cars WHERE CarNumber = ?", {number}) || !q.next()) return std::nullopt;
    const QSqlRecord r = q.record();
    CarValues car;
    car.number = r.value("CarNumber").toString();
    car.inUse = r.value("InUse").toInt() != 0;
    car.typeRef = r.value("CarTypeRef");
    car.fuelMeasureRObr = r.value("CarFuelMeasureRObr").toDouble();
    car.equipment = EquipmentFromRecord(r, EquipmentTable::Cars);
    return car;
}

std::optional<CarRecorderInfo> TCarRefStore::RecorderOfCar(const QString& number)
{
    QSqlQuery q(db_);
    if (number.isEmpty() || !TryExec(q, "SELECT * FROM T_Registrators WHERE CarNumber = ?", {number}) || !q.next())
        return std::nullopt;
    const QSqlRecord r = q.record();
    CarRecorderInfo info;
    info.serial = r.value("RegSerNum").toString().trimmed();
    info.installDate = DateOf(r.value("InstallDate"));
    info.calibrated = r.value("Calibrated").toInt() != 0;
    info.calibrationStart = DateOf(r.value("CalibrationStartDate"));
    info.calibrationEnd = DateOf(r.value("CalibrationEndDate"));
    QSqlQuery g(db_);
    info.temperatureCalibrated =
        TryExec(g, "SELECT 1 FROM T_GRAD WHERE REGSERNUM = ? AND TYPE_GRAD = ?", {info.serial, 1}) && g.next();
    return info;
}

QVariant TCarRefStore::TypeUid(const QString& typeName)
{
    QSqlQuery q(db_);
    if (typeName.isEmpty() || !TryExec(q, "SELECT UID FROM T_CarTypes WHERE TypeName = ?", {typeName}) || !q.next())
        return QVariant(QMetaType(QMetaType::Int));
    return q.value(0);
}

TCarRefStore::Exists TCarRefStore::CarExists(const QString& number)
{
    QSqlQuery q(db_);
    if (!TryExec(q, "SELECT CarNumber FROM T_Cars WHERE CarNumber = ?", {number})) return Exists::Failed;
    return q.next() ? Exists::Yes : Exists::No;
}

RecorderLookup TCarRefStore::Recorder(const QString& serial)
{
    QSqlQuery q(db_);
    if (!TryExec(q, "SELECT CarNumber FROM T_Registrators WHERE RegSerNum = ?", {serial}))
        return {RecorderLookup::Failed, {}};
    if (!q.next()) return {RecorderLookup::Missing, {}};
    return {RecorderLookup::Found, q.value(0).toString().trimmed()};
}

namespace {

void BindCarColumns(QStringList& columns, QVariantList& values, const CarValues& car)
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
    const auto status = RunChange(db_, [&] {
        QStringList columns{"CarNumber"};
        QVariantList values{car.number};
        BindCarColumns(columns, values, car);
        const QString marks = QStringList(QList<QString>(columns.size(), "?")).join(", ");
        Exec(db_, "INSERT INTO T_Cars (" + columns.join(", ") + ") VALUES (" + marks + ")", values);
        if (!recorder.isEmpty())
            Exec(db_, "UPDATE T_Registrators SET CarNumber = ?, Calibrated = 0 WHERE RegSerNum = ?",
                 {car.number, recorder});
        return true;
    });
    return Report(status, ui_,
                  "E1104: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию",
                  "E1105: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию");
}

QString TCarRefStore::currentRecorder(const QString& number)
{
    QSqlQuery q = Exec(db_, "SELECT RegSerNum FROM T_Registrators WHERE CarNumber = ?", {number});
    return q.next() ? q.value(0).toString().trimmed() : QString();
}

bool TCarRefStore::Change(const CarValues& car, const QString& recorder, const QDate& installDate)
{
    bool notFound = false;
    const auto status = RunChange(db_, [&] {
        QStringList columns;
        QVariantList values;
        BindCarColumns(columns, values, car);
        values << car.number;
        QSqlQuery q = Exec(db_, "UPDATE T_Cars SET " + columns.join(" = ?, ") + " = ? WHERE CarNumber = ?", values);
        if (q.numRowsAffected() != 1) {
            notFound = true;
            return false;
        }
        const QString current = currentRecorder(car.number);
        if (current == recorder) return true;
        if (!current.isEmpty())
            Exec(db_, "UPDATE T_Registrators SET CarNumber = '', Calibrated = 0 WHERE RegSerNum = ?", {current});
        if (!recorder.isEmpty())
            Exec(db_, "UPDATE T_Registrators SET CarNumber = ?, Calibrated = 0, InstallDate = ? WHERE RegSerNum = ?",
                 {car.number, installDate.isValid() ? QVariant(installDate.startOfDay()) : QVariant(QMetaType(QMetaType::QDateTime)), recorder});
        return true;
    });
    if (notFound && status == ChangeStatus::StatementFailed) {
        ui_.error("E1126: Указанный автомобиль не найден в базе данных!");
        return false;
    }
    return Report(status, ui_,
                  "E1113: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию",
                  "E1114: Ошибка при изменении: Информация не обновлена! Попробуйте повторить операцию");
}

bool TCarRefStore::Delete(const QString& number)
{
    const auto status = RunChange(db_, [&] {
        Exec(db_, "DELETE FROM T_Cars WHERE CarNumber = ?", {number});
        Exec(db_, "UPDATE T_Registrators SET CarNumber = '' WHERE CarNumber = ?", {number});
        return true;
    });
    return Report(status, ui_, "E1107: Ошибка при удалении: Информация не удалена! Попробуйте повторить операцию",
                  "E1108: Ошибка при удалении! Попробуйте повторить операцию");
}
