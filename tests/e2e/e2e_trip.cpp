#include "e2e_trip.h"

#include "car_data.h"
#include "grad_blob.h"
#include "serial_number.h"

#include <QJsonDocument>
#include <QProcess>
#include <QUuid>

namespace {

QByteArray TankTable(double litres)
{
    TGrad t;
    for (int i = 0; i <= 10; ++i) {
        TGradPoint p;
        p.U = 600 + i * 1300;
        p.VAL = litres * i / 10 * (0.9 + 0.01 * i);
        p.U_POWER = 27.6L;
        t.push_back(p);
    }
    return GradToHeaderTable(t);
}

}  // namespace

TOrderHeader TestTripHeader()
{
    TCarData car;
    car.CarNumber = "Х777ХХ";
    car.CarTypeName = "Тягач";
    car.CarTank1Vol = 250;
    car.CarTank2Vol = 200;
    car.CarMinRPM = 400;
    car.CarMaxIdleRPM = 900;
    car.CarMaxRPM = 3000;
    car.CarBestRPM = 1600;
    car.CarUPower = 2400;
    car.CarIncCriterion = 10;
    car.CarDecCriterion = 10;
    car.CarSpeedType = 1;
    car.CarSpeedK = 3000;
    car.CarTachType = 1;
    car.CarTachK = 2;
    car.Tank1K = TankTable(250);
    car.Tank2K = TankTable(200);
    TOrderHeader h;
    h.SetRecordType(hdr::RecordTypeValue);
    StoreCarInHeader(car, h);
    h.SetRegSerNum("0102-0304-0506-0708-9");
    h.Seal();
    return h;
}

int RunProgram(const QString& name, const QStringList& args, QJsonObject* json, QString* errors,
               const QString& workDir)
{
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(QString(KEM_BIN_DIR) + "/" + name, args);
    if (!p.waitForStarted(10000) || !p.waitForFinished(120000))
        return -1;
    if (errors)
        *errors = QString::fromUtf8(p.readAllStandardError());
    if (json)
        *json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QString ScenarioPath(const QString& name) { return QString(KEM_TEST_DATA) + "/scenarios/" + name; }
