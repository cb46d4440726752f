// The commands of the main window and the menus, tool bar, navigation bar and status bar that
// offer them.
#include "main_window.h"
#include "navigation_bar.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {

struct ActionDef {
    const char* name;
    const char* caption;
    const char* hint;  // empty: the caption
    QKeySequence shortcut;
    const char* themeIcon;
    QStyle::StandardPixmap styleIcon;
};

const ActionDef kActions[] = {
    {"actionOrdersNew", "Новое задание", "Создать новое задание", {}, "document-new", QStyle::SP_FileIcon},
    {"actionOrdersTable", "Список заданий", "", {}, "", QStyle::SP_FileDialogDetailedView},
    {"actionOrderPeriodData", "Данные за период", "", {}, "", QStyle::SP_FileDialogContentsView},
    {"menuItemOrdersExportFuel", "Экспорт топлива", "", {}, "document-export", QStyle::SP_DialogSaveButton},
    {"actionCarsTable", "Список автомобилей", "", {}, "", QStyle::SP_DirIcon},
    {"actionCarTypesTable", "Список типов автомобилей", "", {}, "", QStyle::SP_DirLinkIcon},
    {"actionDriversTable", "Список водителей", "Открыть список водителей", {}, "", QStyle::SP_DirHomeIcon},
    {"actionDeviceInfo", "Информация об устройстве", "", {}, "", QStyle::SP_ComputerIcon},
    {"actionDevicesTable", "Список регистраторов", "", {}, "", QStyle::SP_DriveHDIcon},
    {"actionCarriersTable", "Список носителей", "", {}, "", QStyle::SP_DriveFDIcon},
    {"actionFileOptions", "Настройка", "", {}, "preferences-system", QStyle::SP_FileDialogInfoView},
    {"actionFileExit", "Выход", "", {}, "application-exit", QStyle::SP_DialogCloseButton},
    {"actionEditCut", "Вырезать", "", QKeySequence(Qt::CTRL | Qt::Key_X), "edit-cut", QStyle::SP_CustomBase},
    {"actionEditCopy", "Копировать", "", QKeySequence(Qt::CTRL | Qt::Key_C), "edit-copy", QStyle::SP_CustomBase},
    {"actionEditPaste", "Вставить", "", QKeySequence(Qt::CTRL | Qt::Key_V), "edit-paste", QStyle::SP_CustomBase},
    {"actionWindowCascade", "Каскадом", "", {}, "", QStyle::SP_CustomBase},
    {"actionWindowTileHorizontal", "Горизонтально", "", {}, "", QStyle::SP_CustomBase},
    {"actionWindowTileVertical", "Вертикально", "", {}, "", QStyle::SP_CustomBase},
    {"actionWindowMinimizeAll", "Свернуть все", "", {}, "", QStyle::SP_CustomBase},
    {"actionWindowArrangeAll", "Упорядочить все", "", {}, "", QStyle::SP_CustomBase},
    {"actionHelp", "Справка", "", QKeySequence(Qt::Key_F1), "help-contents", QStyle::SP_DialogHelpButton},
    {"actionHelpAbout", "О программе...", "", {}, "help-about", QStyle::SP_MessageBoxInformation},
    {"actionDebug", "Окно отладки", "", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D), "", QStyle::SP_CustomBase},
};

QIcon iconFor(const ActionDef& d, QStyle* style)
{
    QIcon icon;
    if (*d.themeIcon) icon = QIcon::fromTheme(d.themeIcon);
    if (icon.isNull() && d.styleIcon != QStyle::SP_CustomBase) icon = style->standardIcon(d.styleIcon);
    return icon;
}

}  // namespace

void TfrmMain::createActions()
{
    for (const ActionDef& d : kActions) {
        auto* a = new QAction(iconFor(d, style()), QString::fromUtf8(d.caption), this);
        a->setObjectName(d.name);
        const QString hint = *d.hint ? QString::fromUtf8(d.hint) : a->text();
        a->setToolTip(hint);
        a->setStatusTip(hint);
        if (!d.shortcut.isEmpty()) a->setShortcut(d.shortcut);
        actions_.insert(d.name, a);
        addAction(a);  // shortcuts work even for commands without a menu entry
    }
}

void TfrmMain::createMenus()
{
    auto fill = [this](const char* title, const char* objectName, std::initializer_list<const char*> items) {
        QMenu* m = menuBar()->addMenu(QString::fromUtf8(title));
        m->setObjectName(objectName);
        for (const char* item : items) {
            if (*item) m->addAction(action(item));
            else m->addSeparator();
        }
        return m;
    };
    fill("Файл", "menuFile", {"actionFileOptions", "", "actionFileExit"});
    fill("Правка", "menuEdit", {"actionEditCut", "actionEditCopy", "actionEditPaste"});
    fill("Задания", "menuOrders",
         {"actionOrdersNew", "actionOrdersTable", "", "actionOrderPeriodData", "", "menuItemOrdersExportFuel"});
    fill("Устройства", "menuDevices", {"actionDeviceInfo", "actionDevicesTable", "actionCarriersTable"});
    fill("Автомобили", "menuCars", {"actionCarsTable", "actionCarTypesTable"});
    fill("Водители", "menuDrivers", {"actionDriversTable"});
    windowMenu_ = fill("Окно", "menuWindow",
                       {"actionWindowCascade", "actionWindowTileHorizontal", "actionWindowTileVertical",
                        "actionWindowMinimizeAll", "actionWindowArrangeAll"});
    connect(windowMenu_, &QMenu::aboutToShow, this, &TfrmMain::fillWindowMenu);
    fill("Справка", "menuHelp", {"actionHelp", "", "actionHelpAbout"});
}

void TfrmMain::createToolBar()
{
    QToolBar* bar = addToolBar("Панель инструментов");
    bar->setObjectName("ToolBar");
    bar->setMovable(false);
    bar->setIconSize(QSize(22, 22));
    bar->addAction(action("actionOrdersNew"));
    bar->addSeparator();
    bar->addAction(action("actionEditCut"));
    bar->addAction(action("actionEditCopy"));
    bar->addAction(action("actionEditPaste"));
    bar->addSeparator();
    bar->addAction(action("actionDeviceInfo"));
}

void TfrmMain::createNavigationBar()
{
    auto* nav = new NavigationBar(this);
    nav->addGroup("Задания", {{"Новое задание", action("actionOrdersNew")},
                              {"Список заданий", action("actionOrdersTable")},
                              {"Данные за период", action("actionOrderPeriodData")}});
    nav->addGroup("Автомобили", {{"Автомобили", action("actionCarsTable")},
                                 {"Типы автомобилей", action("actionCarTypesTable")}});
    nav->addGroup("Водители", {{"Водители", action("actionDriversTable")}});
    nav->addGroup("Устройства", {{"Информация об устройстве", action("actionDeviceInfo")},
                                 {"Регистраторы", action("actionDevicesTable")},
                                 {"Список носителей", action("actionCarriersTable")}});
    addDockWidget(Qt::LeftDockWidgetArea, nav->dock());
}

void TfrmMain::createStatusBar()
{
    // The hint panel is as wide as the longest hint (at least 100), so no hint is cut.
    int hintWidth = 100;
    for (QAction* a : std::as_const(actions_))
        hintWidth = std::max(hintWidth, fontMetrics().horizontalAdvance(a->statusTip()) + 12);
    const int widths[4] = {hintWidth, 100, 100, 50};
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(statusBar());
        l->setObjectName(QString("StatusPanel%1").arg(i));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(widths[i]);
        // The last panel takes the rest of the bar, so the device state is never cut.
        statusBar()->addWidget(l, i == 3 ? 1 : 0);
        if (i < 3) l->setFixedWidth(widths[i]);
        panels_[i] = l;
    }
    statusBar()->setSizeGripEnabled(true);
}
