// The reference windows in the main window: each command opens its window once, brings it back
// when minimised, and a new one after it was closed; the recorders window opens the cars window at
// a recorder's car.
#include "ref_db_fixture.h"
#include "refdata/frm_cars.h"
#include "refdata/frm_devices.h"
#include "refdata/ref_windows.h"
#include "shell/main_window.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>

namespace {

class RefWindowsMainTest : public RefDbTest {};

TEST_F(RefWindowsMainTest, CommandsOpenEachWindowOnceAndRestoreIt)
{
    TfrmMain main;
    RegisterReferenceWindows(main, *data_);
    const struct {
        const char* action;
        const char* text;
        const char* caption;
    } commands[] = {{"actionCarsTable", "Список автомобилей", "Автомобили"},
                    {"actionCarTypesTable", "Список типов автомобилей", "Типы автомобилей"},
                    {"actionDevicesTable", "Список регистраторов", "Регистраторы"},
                    {"actionCarriersTable", "Список носителей", "Носители"},
                    {"actionDriversTable", "Список водителей", "Водители"}};
    for (const auto& c : commands) {
        EXPECT_EQ(main.action(c.action)->text(), c.text);
        EXPECT_TRUE(main.action(c.action)->isEnabled());
        QWidget* w = main.runCommand(c.action);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), c.caption);
        auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        ASSERT_NE(sub, nullptr);
        sub->showMinimized();
        EXPECT_EQ(main.runCommand(c.action), w);
        EXPECT_FALSE(sub->isMinimized());
    }
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 5);
    // Closing frees the window; the command then creates a new one.
    QPointer<QWidget> cars = main.runCommand("actionCarsTable");
    cars->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(cars.isNull());
    EXPECT_NE(main.runCommand("actionCarsTable"), nullptr);
}

TEST_F(RefWindowsMainTest, DoubleClickOnABoundRecorderShowsItsCar)
{
    sql("INSERT INTO T_Cars (CarNumber, InUse) VALUES ('А111АА', 1)");
    sql("INSERT INTO T_Cars (CarNumber, InUse) VALUES ('Б222ББ', 1)");
    sql("INSERT INTO T_Registrators (RegSerNum, CarNumber, Calibrated) VALUES (?, 'Б222ББ', 0)", {Serial(5)});
    TfrmMain main;
    RegisterReferenceWindows(main, *data_);
    auto* devices = qobject_cast<TfrmDevices*>(main.runCommand("actionDevicesTable"));
    ASSERT_NE(devices, nullptr);
    emit devices->grid()->cellDoubleClicked(0, 0);
    auto* cars = qobject_cast<TfrmCars*>(main.mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(cars, nullptr);
    EXPECT_EQ(cars->edtNumber->text(), "Б222ББ");
    EXPECT_EQ(cars->grid()->selectedText(0), "Б222ББ");
}

}  // namespace
