#include "ref_windows.h"

#include "frm_car_types.h"
#include "frm_carriers.h"
#include "frm_cars.h"
#include "frm_devices.h"
#include "frm_drivers.h"
#include "shell/main_window.h"

#include <QPointer>

void RegisterReferenceWindows(TfrmMain& main, TData& data)
{
    TData* d = &data;
    TfrmMain* m = &main;
    main.registerWindowCommand("actionCarsTable", [d] { return new TfrmCars(*d); });
    main.registerWindowCommand("actionCarTypesTable", [d] { return new TfrmCarTypes(*d); });
    main.registerWindowCommand("actionCarriersTable", [d] { return new TfrmCarriers(*d); });
    main.registerWindowCommand("actionDriversTable", [d] { return new TfrmDrivers(*d); });
    main.registerWindowCommand("actionDevicesTable", [d, m] {
        auto* w = new TfrmDevices(*d);
        w->showCar = [m](const QString& number) {
            if (TfrmCars* cars = OpenCarsWindow(*m)) cars->ShowCar(number);
        };
        return w;
    });
}

TfrmCars* OpenCarsWindow(TfrmMain& main)
{
    return qobject_cast<TfrmCars*>(main.runCommand("actionCarsTable"));
}
