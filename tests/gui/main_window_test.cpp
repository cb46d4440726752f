#include "core/app_state.h"
#include "shell/debug_window.h"
#include "shell/main_window.h"
#include "shell/navigation_bar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Object names of a menu's or tool bar's entries; "" for a separator.
QStringList entries(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions) out << (a->isSeparator() ? QString() : a->objectName());
    return out;
}

QMenu* menuTitled(TfrmMain& w, const QString& title)
{
    for (QAction* a : w.menuBar()->actions())
        if (a->text() == title) return a->menu();
    return nullptr;
}

std::unique_ptr<TfrmMain> makeMain(bool debugMode)
{
    AppState().DebugMode = debugMode;
    AppState().RememberedCarrierMode = 0;
    return std::make_unique<TfrmMain>();
}

}  // namespace

TEST(MainWindow, MenusHoldTheCommandsInOrder)
{
    auto w = makeMain(false);
    EXPECT_EQ(w->windowTitle(), QString("Система регистрации параметров автомобилей"));
    QStringList titles;
    for (QAction* a : w->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, QStringList({"Файл", "Правка", "Задания", "Устройства", "Автомобили", "Водители", "Окно", "Справка"}));

    const std::pair<const char*, QStringList> menus[] = {
        {"Файл", {"actionFileOptions", "", "actionFileExit"}},
        {"Правка", {"actionEditCut", "actionEditCopy", "actionEditPaste"}},
        {"Задания", {"actionOrdersNew", "actionOrdersTable", "", "actionOrderPeriodData", "", "menuItemOrdersExportFuel"}},
        {"Устройства", {"actionDeviceInfo", "actionDevicesTable", "actionCarriersTable"}},
        {"Автомобили", {"actionCarsTable", "actionCarTypesTable"}},
        {"Водители", {"actionDriversTable"}},
        {"Окно", {"actionWindowCascade", "actionWindowTileHorizontal", "actionWindowTileVertical",
                  "actionWindowMinimizeAll", "actionWindowArrangeAll"}},
        {"Справка", {"actionHelp", "", "actionHelpAbout"}},
    };
    for (const auto& [title, items] : menus) {
        QMenu* m = menuTitled(*w, title);
        ASSERT_NE(m, nullptr) << title;
        EXPECT_EQ(entries(m->actions()), items) << title;
    }
    // The auxiliary window has a shortcut but no menu entry.
    for (QAction* top : w->menuBar()->actions())
        EXPECT_FALSE(top->menu()->actions().contains(w->action("actionDebug")));

    auto* bar = w->findChild<QToolBar*>("ToolBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(entries(bar->actions()),
              QStringList({"actionOrdersNew", "", "actionEditCut", "actionEditCopy", "actionEditPaste", "", "actionDeviceInfo"}));
}

TEST(MainWindow, CaptionsHintsAndShortcuts)
{
    auto w = makeMain(false);
    const std::tuple<const char*, const char*, const char*, QKeySequence> cases[] = {
        {"actionOrdersNew", "Новое задание", "Создать новое задание", {}},
        {"actionDriversTable", "Список водителей", "Открыть список водителей", {}},
        {"actionEditCut", "Вырезать", "Вырезать", QKeySequence("Ctrl+X")},
        {"actionEditCopy", "Копировать", "Копировать", QKeySequence("Ctrl+C")},
        {"actionEditPaste", "Вставить", "Вставить", QKeySequence("Ctrl+V")},
        {"actionDebug", "Окно отладки", "Окно отладки", QKeySequence("Ctrl+Alt+D")},
        {"actionHelpAbout", "О программе...", "О программе...", {}},
    };
    for (const auto& [name, caption, hint, key] : cases) {
        QAction* a = w->action(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->text(), QString(caption)) << name;
        EXPECT_EQ(a->statusTip(), QString(hint)) << name;
        if (!key.isEmpty()) {
            EXPECT_EQ(a->shortcut(), key) << name;
        }
    }
}

TEST(MainWindow, LaterWindowsAreDisabledUntilTheyRegister)
{
    auto w = makeMain(false);
    const char* later[] = {"actionOrdersNew", "actionOrdersTable", "actionOrderPeriodData", "menuItemOrdersExportFuel",
                           "actionCarsTable", "actionCarTypesTable", "actionDriversTable", "actionDeviceInfo",
                           "actionDevicesTable", "actionCarriersTable", "actionFileOptions"};
    for (const char* name : later) EXPECT_FALSE(w->action(name)->isEnabled()) << name;
    for (const char* name : {"actionFileExit", "actionEditCopy", "actionWindowCascade", "actionHelp", "actionHelpAbout"})
        EXPECT_TRUE(w->action(name)->isEnabled()) << name;

    int exports = 0;
    w->registerCommand("menuItemOrdersExportFuel", [&] { ++exports; });
    EXPECT_TRUE(w->action("menuItemOrdersExportFuel")->isEnabled());
    w->action("menuItemOrdersExportFuel")->trigger();
    EXPECT_EQ(exports, 1);
}

TEST(MainWindow, AuxiliaryWindowOnlyInDebugMode)
{
    AppState().CalibrationValuesText = "HWVer\t0A\r\nSWVer\t12";
    for (bool debug : {false, true}) {
        auto w = makeMain(debug);
        w->show();
        EXPECT_EQ(w->action("actionDebug")->isEnabled(), debug);
        w->action("actionDebug")->trigger();
        auto* shown = w->mdiArea()->findChild<TfrmDebug*>();
        EXPECT_EQ(shown != nullptr, debug);
        if (!shown) continue;
        EXPECT_EQ(shown->windowTitle(), QString("Вспомогательное окно"));
        EXPECT_EQ(shown->size(), QSize(420, 520));  // the size it asked for, inside the frame
        EXPECT_EQ(shown->memo()->toPlainText(), QString("HWVer\t0A\nSWVer\t12"));
        EXPECT_TRUE(shown->findChild<QLabel*>("lblCalibration")->font().bold());
        EXPECT_EQ(shown->findChild<QLabel*>("lblCalibration")->text(), QString("Калибровочные  значения:"));
    }
}

TEST(MainWindow, ShowCommandCreatesOnceRestoresAndRecreatesAfterClose)
{
    auto w = makeMain(false);
    w->show();
    int created = 0;
    w->registerWindowCommand("actionCarsTable", [&] {
        ++created;
        auto* widget = new QWidget;
        widget->setWindowTitle("Автомобили");
        return widget;
    });
    EXPECT_TRUE(w->action("actionCarsTable")->isEnabled());
    QWidget* first = w->runCommand("actionCarsTable");
    ASSERT_NE(first, nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(first->parentWidget());
    ASSERT_NE(sub, nullptr);
    sub->showMinimized();
    EXPECT_EQ(w->runCommand("actionCarsTable"), first);
    EXPECT_EQ(created, 1);
    EXPECT_FALSE(sub->isMinimized());

    sub->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QWidget* second = w->runCommand("actionCarsTable");
    EXPECT_EQ(created, 2);
    EXPECT_NE(second, nullptr);
}

TEST(MainWindow, HiddenOnCloseWindowIsReused)
{
    auto w = makeMain(false);
    w->show();
    int created = 0;
    w->registerWindowCommand("actionOrdersTable", [&] { ++created; return new QWidget; },
                             TfrmMain::ChildLifetime::HideOnClose);
    QWidget* first = w->runCommand("actionOrdersTable");
    first->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w->runCommand("actionOrdersTable"), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(created, 1);
}

TEST(MainWindow, NavigationBarGroupsRunTheCommands)
{
    auto w = makeMain(false);
    auto* box = w->findChild<QToolBox*>("NavigationBar");
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->count(), 4);
    const std::pair<const char*, QStringList> groups[] = {
        {"Задания", {"Новое задание", "Список заданий", "Данные за период"}},
        {"Автомобили", {"Автомобили", "Типы автомобилей"}},
        {"Водители", {"Водители"}},
        {"Устройства", {"Информация об устройстве", "Регистраторы", "Список носителей"}},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(box->itemText(i), QString(groups[i].first));
        QStringList captions;
        for (auto* b : box->widget(i)->findChildren<QToolButton*>()) captions << b->text();
        EXPECT_EQ(captions, groups[i].second);
    }
    auto* drivers = w->findChild<QToolButton*>("nav_actionDriversTable");
    EXPECT_FALSE(drivers->isEnabled());  // follows the command
    int opened = 0;
    w->registerCommand("actionDriversTable", [&] { ++opened; });
    EXPECT_TRUE(drivers->isEnabled());
    drivers->click();
    EXPECT_EQ(opened, 1);
}

TEST(MainWindow, StatusBarHasFourPanels)
{
    auto w = makeMain(false);
    const int widths[] = {100, 100, 100, 50};
    QLabel* panels[4];
    for (int i = 0; i < 4; ++i) {
        panels[i] = w->statusBar()->findChild<QLabel*>(QString("StatusPanel%1").arg(i));
        ASSERT_NE(panels[i], nullptr);
        EXPECT_GE(panels[i]->minimumWidth(), widths[i]);
    }
    EXPECT_EQ(panels[1]->width(), 100);
    EXPECT_EQ(panels[2]->width(), 100);

    // Panel 0 follows the hint of what is under the mouse, in full.
    QStatusTipEvent tip("Открыть список водителей");
    QApplication::sendEvent(w.get(), &tip);
    EXPECT_EQ(w->statusText(0), QString("Открыть список водителей"));
    EXPECT_GE(panels[0]->minimumWidth(), panels[0]->fontMetrics().horizontalAdvance(w->statusText(0)));
    w->setStatusText(2, "x");
    EXPECT_EQ(w->statusText(2), "x");
}

TEST(MainWindow, DeviceNotificationsUpdateTheStatusAndOpenDeviceInformationOnce)
{
    auto w = makeMain(false);
    std::optional<uint8_t> mode;
    int deviceInfoOpened = 0;
    w->setDeviceStatusHooks({[&] { return mode; }, [&] { ++deviceInfoOpened; }});

    mode = std::nullopt;  // the state request failed: nothing changes
    w->onDeviceConnected();
    EXPECT_EQ(w->statusText(3), "");
    EXPECT_EQ(w->statusText(2), "");

    mode = 2;
    w->onDeviceConnected();
    w->onDeviceConnected();  // already shown: not opened again
    EXPECT_EQ(w->statusText(3), QString("Устройство подключено"));
    EXPECT_EQ(w->statusText(2), QString("Готово"));
    EXPECT_EQ(deviceInfoOpened, 1);
    EXPECT_EQ(AppState().RememberedCarrierMode, 2);

    mode = 0;
    w->onDeviceConnected();
    EXPECT_EQ(w->statusText(3), QString("Нет ответа"));
    EXPECT_EQ(AppState().RememberedCarrierMode, 0);

    mode = 4;
    w->onDeviceConnected();
    EXPECT_EQ(deviceInfoOpened, 2);
    w->onDeviceLost();
    EXPECT_EQ(w->statusText(3), QString("Нет ответа"));
    EXPECT_EQ(AppState().RememberedCarrierMode, 0);
    w->onDeviceConnected();
    EXPECT_EQ(deviceInfoOpened, 3);
}

TEST(MainWindow, PollingTimerAndHelp)
{
    auto w = makeMain(false);
    QTimer* t = w->TimerOprosDevice();
    EXPECT_EQ(t->interval(), 5000);
    EXPECT_FALSE(t->isActive());
    w->ResumeDevicePolling();
    EXPECT_TRUE(t->isActive());
    w->SuspendDevicePolling();
    EXPECT_FALSE(t->isActive());

    QString opened;
    w->setHelpOpener([&](const QString& path) { opened = path; });
    w->action("actionHelp")->trigger();
    EXPECT_EQ(opened, QCoreApplication::applicationDirPath() + "/KEMSys.chm");
}

TEST(MainWindow, ClipboardCommandsActOnTheFocusedEdit)
{
    auto w = makeMain(false);
    auto* edit = new QLineEdit("номер А123ВС");
    w->addChildWindow(edit);
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w.get());
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), edit);

    edit->setSelection(6, 6);
    w->action("actionEditCut")->trigger();
    EXPECT_EQ(edit->text(), QString("номер "));
    EXPECT_EQ(QApplication::clipboard()->text(), QString("А123ВС"));
    w->action("actionEditPaste")->trigger();
    w->action("actionEditPaste")->trigger();
    EXPECT_EQ(edit->text(), QString("номер А123ВСА123ВС"));
}

TEST(MainWindow, TileCommandsShareTheFrame)
{
    auto w = makeMain(false);
    w->resize(1000, 800);
    w->show();
    QMdiSubWindow* a = w->addChildWindow(new QWidget);
    QMdiSubWindow* b = w->addChildWindow(new QWidget);
    const QRect area = w->mdiArea()->viewport()->rect();

    w->action("actionWindowTileHorizontal")->trigger();
    EXPECT_EQ(a->width(), area.width());
    EXPECT_EQ(b->width(), area.width());
    EXPECT_EQ(a->y(), 0);
    EXPECT_EQ(b->y(), a->height());

    w->action("actionWindowTileVertical")->trigger();
    EXPECT_EQ(a->height(), area.height());
    EXPECT_EQ(b->x(), a->width());

    w->action("actionWindowMinimizeAll")->trigger();
    EXPECT_TRUE(a->isMinimized());
    EXPECT_TRUE(b->isMinimized());
}

TEST(MainWindow, WindowMenuListsTheOpenChildWindows)
{
    auto w = makeMain(false);
    w->show();
    auto titled = [](const char* title) {
        auto* widget = new QWidget;
        widget->setWindowTitle(title);
        return widget;
    };
    QMdiSubWindow* order = w->addChildWindow(titled("Задание 12"));
    w->addChildWindow(titled("Список заданий"));
    QMenu* menu = menuTitled(*w, "Окно");
    for (int round = 0; round < 2; ++round) {  // opening the menu again does not repeat the list
        emit menu->aboutToShow();
        QStringList texts;
        for (QAction* a : menu->actions().mid(5)) texts << (a->isSeparator() ? "-" : a->text());
        EXPECT_EQ(texts, QStringList({"-", "Задание 12", "Список заданий"}));
    }
    menu->actions().at(6)->trigger();
    EXPECT_EQ(w->mdiArea()->activeSubWindow(), order);
}
