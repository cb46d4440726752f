// Pictures of the five reference windows with a few rows, for a look at labels and layout. Runs
// only when KEM_SCREENSHOT_DIR names a directory (under Xvfb: xvfb-run -a gui_tests ...).
#include "ref_db_fixture.h"
#include "refdata/frm_car_types.h"
#include "refdata/frm_carriers.h"
#include "refdata/frm_cars.h"
#include "refdata/frm_devices.h"
#include "refdata/frm_drivers.h"

#include <QTabWidget>
#include <QTest>

namespace {

class RefWindowsScreenshot : public RefDbTest {
protected:
    void shoot(QWidget& w, const QString& name)
    {
        w.show();
        QTest::qWait(200);
        w.grab().save(QDir(dir).filePath(name + ".png"));
    }
    QString dir = qEnvironmentVariable("KEM_SCREENSHOT_DIR");
};

TEST_F(RefWindowsScreenshot, FiveWindows)
{
    if (dir.isEmpty()) GTEST_SKIP() << "KEM_SCREENSHOT_DIR not set";
    sql("INSERT INTO T_CarTypes (TypeName, Description, DefaultUPower, DefaultSpeedType) VALUES ('КамАЗ-65115', 'Самосвал', 2400, 1)");
    sql("INSERT INTO T_Cars (CarNumber, InUse, CarTypeRef, CarUPower, CarFuelMeasureType, CarDescLong) "
        "VALUES ('А123ВС77', 1, (SELECT MIN(UID) FROM T_CarTypes), 2400, 1, 'Самосвал \"Северный\"')");
    sql("INSERT INTO T_Cars (CarNumber, InUse, CarUPower) VALUES ('Е777КХ', 0, 1200)");
    sql("INSERT INTO T_Registrators (RegSerNum, HWVersion, SWVersion, CarNumber, Calibrated) VALUES (?, 120, 351, 'А123ВС77', 1)",
        {Serial(0x1234)});
    sql("INSERT INTO T_Registrators (RegSerNum, HWVersion, SWVersion, Calibrated) VALUES (?, 100, 200, 0)", {Serial(0x99)});
    sql("INSERT INTO T_Carriers (SerNum, InUse, InitDate) VALUES (?, 1, '2024-03-05')", {Serial(0x4242)});
    sql("INSERT INTO T_Carriers (SerNum, InUse) VALUES (?, 0)", {Serial(0x4243)});
    sql("INSERT INTO T_Drivers (DRIVERSNAME, DRIVERNAME, DRIVERFNAME) VALUES ('Иванов', 'Пётр', 'Сергеевич')");
    TfrmCars cars(*data_);
    shoot(cars, "cars");
    for (int page = 1; page < cars.pages->count(); ++page) {
        cars.pages->setCurrentIndex(page);
        shoot(cars, QString("cars-page%1").arg(page));
    }
    TfrmCarTypes types(*data_);
    shoot(types, "car-types");
    for (int page = 1; page < types.pages->count(); ++page) {
        types.pages->setCurrentIndex(page);
        shoot(types, QString("car-types-page%1").arg(page));
    }
    TfrmDevices devices(*data_);
    shoot(devices, "recorders");
    TfrmCarriers carriers(*data_);
    shoot(carriers, "carriers");
    TfrmDrivers drivers(*data_);
    shoot(drivers, "drivers");
}

}  // namespace
