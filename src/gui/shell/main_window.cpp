#include "main_window.h"

#include "about_window.h"
#include "core/app_state.h"
#include "debug_window.h"
#include "progress_form.h"
#include "window_arrangement.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QUrl>

namespace {
TfrmMain* g_frmMain = nullptr;
constexpr int kPollingIntervalMs = 5000;

// A child window resized by its creator keeps that size inside its frame.
QMdiSubWindow* addSized(QMdiArea& mdi, QWidget* w)
{
    const QSize wanted = w->testAttribute(Qt::WA_Resized) ? w->size() : QSize();
    QMdiSubWindow* sub = mdi.addSubWindow(w);
    if (wanted.isValid()) {
        const int frame = sub->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub);
        const int title = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
        sub->resize(wanted.width() + 2 * frame, wanted.height() + title + frame);
    }
    return sub;
}

}  // namespace

TfrmMain* frmMain() { return g_frmMain; }

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent), interaction_(this)
{
    setObjectName("frmMain");
    if (QApplication::windowIcon().isNull()) QApplication::setWindowIcon(ProgramIcon());
    setWindowTitle("Система регистрации параметров автомобилей");
    resize(1024, 720);

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("MDIArea");
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);

    createActions();
    createMenus();
    createToolBar();
    createNavigationBar();
    createStatusBar();
    connectFixedCommands();

    // Windows of later parts enable their commands when they register.
    for (const char* name : {"actionOrdersNew", "actionOrdersTable", "actionOrderPeriodData", "menuItemOrdersExportFuel",
                             "actionCarsTable", "actionCarTypesTable", "actionDriversTable", "actionDeviceInfo",
                             "actionDevicesTable", "actionCarriersTable", "actionFileOptions"})
        action(name)->setEnabled(false);

    registerWindowCommand("actionDebug", [] { return new TfrmDebug; });
    action("actionDebug")->setEnabled(AppState().DebugMode);

    timerOprosDevice_.setObjectName("TimerOprosDevice");
    timerOprosDevice_.setInterval(kPollingIntervalMs);  // ticks do nothing: the worker polls the recorder

    progressForm_ = new TProgressForm(this);
    helpOpener_ = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    g_frmMain = this;
}

TfrmMain::~TfrmMain()
{
    if (g_frmMain == this) g_frmMain = nullptr;
}

QAction* TfrmMain::action(const QString& objectName) const { return actions_.value(objectName); }

ProgressHost& TfrmMain::progressHost() { return *progressForm_; }

void TfrmMain::connectFixedCommands()
{
    // Every command goes through runCommand, so that later parts only register handlers.
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        const QString name = it.key();
        connect(it.value(), &QAction::triggered, this, [this, name] { runCommand(name); });
    }
    commands_.insert("actionFileExit", [this] { close(); });
    commands_.insert("actionEditCut", [] { RunClipboardCommand(ClipboardCommand::Cut); });
    commands_.insert("actionEditCopy", [] { RunClipboardCommand(ClipboardCommand::Copy); });
    commands_.insert("actionEditPaste", [] { RunClipboardCommand(ClipboardCommand::Paste); });
    commands_.insert("actionWindowCascade", [this] { mdi_->cascadeSubWindows(); });
    commands_.insert("actionWindowTileHorizontal", [this] { TileChildWindows(*mdi_, TileDirection::Horizontal); });
    commands_.insert("actionWindowTileVertical", [this] { TileChildWindows(*mdi_, TileDirection::Vertical); });
    commands_.insert("actionWindowMinimizeAll", [this] { MinimizeChildWindows(*mdi_); });
    commands_.insert("actionWindowArrangeAll", [this] { ArrangeMinimizedWindows(*mdi_); });
    commands_.insert("actionHelp", [this] { openHelp(); });
    commands_.insert("actionHelpAbout", [this] { showAbout(); });
}

void TfrmMain::registerWindowCommand(const QString& actionName, std::function<QWidget*()> factory, ChildLifetime lifetime)
{
    if (!action(actionName)) qWarning("TfrmMain: no command named %s", qPrintable(actionName));
    windows_.insert(actionName, WindowCommand{std::move(factory), lifetime, {}});
    commands_.insert(actionName, [this, actionName] { showWindow(actionName); });
    if (QAction* a = action(actionName)) a->setEnabled(true);
}

void TfrmMain::registerCommand(const QString& actionName, std::function<void()> handler)
{
    if (!action(actionName)) qWarning("TfrmMain: no command named %s", qPrintable(actionName));
    windows_.remove(actionName);
    commands_.insert(actionName, std::move(handler));
    if (QAction* a = action(actionName)) a->setEnabled(true);
}

QWidget* TfrmMain::runCommand(const QString& actionName)
{
    QAction* a = action(actionName);
    if (a && !a->isEnabled()) return nullptr;  // e.g. the auxiliary window outside the service mode
    if (windows_.contains(actionName)) return showWindow(actionName);
    if (auto handler = commands_.value(actionName)) handler();
    return nullptr;
}

QWidget* TfrmMain::showWindow(const QString& actionName)
{
    WindowCommand& cmd = windows_[actionName];
    if (!cmd.sub) {
        QWidget* w = cmd.factory ? cmd.factory() : nullptr;
        if (!w) return nullptr;
        cmd.sub = addSized(*mdi_, w);
        cmd.sub->setAttribute(Qt::WA_DeleteOnClose, cmd.lifetime == ChildLifetime::DeleteOnClose);
    }
    if (cmd.sub->isMinimized()) cmd.sub->showNormal();
    else cmd.sub->show();
    cmd.sub->widget()->show();
    mdi_->setActiveSubWindow(cmd.sub);
    cmd.sub->raise();
    return cmd.sub->widget();
}

QMdiSubWindow* TfrmMain::addChildWindow(QWidget* widget)
{
    QMdiSubWindow* sub = addSized(*mdi_, widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
    mdi_->setActiveSubWindow(sub);
    return sub;
}

void TfrmMain::fillWindowMenu()
{
    // Keep the five arrangement commands; list the open child windows after them.
    const QList<QAction*> items = windowMenu_->actions();
    for (int i = 5; i < items.size(); ++i) {
        windowMenu_->removeAction(items[i]);
        if (items[i]->parent() == windowMenu_) delete items[i];
    }
    const QList<QMdiSubWindow*> subs = mdi_->subWindowList(QMdiArea::CreationOrder);
    bool separated = false;
    for (QMdiSubWindow* sub : subs) {
        if (!sub->isVisible()) continue;
        if (!separated) windowMenu_->addSeparator();
        separated = true;
        QAction* a = windowMenu_->addAction(sub->windowTitle());
        a->setCheckable(true);
        a->setChecked(sub == mdi_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (!sub) return;
            if (sub->isMinimized()) sub->showNormal();
            mdi_->setActiveSubWindow(sub);
        });
    }
}

void TfrmMain::setStatusText(int panel, const QString& text)
{
    if (panel < 0 || panel > 3) return;
    panels_[panel]->setText(text);
    panels_[panel]->setToolTip(text);
}

QString TfrmMain::statusText(int panel) const { return panel >= 0 && panel <= 3 ? panels_[panel]->text() : QString(); }

bool TfrmMain::event(QEvent* e)
{
    if (e->type() == QEvent::StatusTip) {
        panels_[PanelHint]->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TfrmMain::SuspendDevicePolling() { timerOprosDevice_.stop(); }

void TfrmMain::ResumeDevicePolling() { timerOprosDevice_.start(); }

void TfrmMain::onDeviceConnected()
{
    if (!deviceHooks_.fetchCarrierMode) return;
    const std::optional<uint8_t> mode = deviceHooks_.fetchCarrierMode();
    if (!mode) return;
    TAppState& st = AppState();
    if (*mode != 0) {
        setStatusText(PanelDevice, "Устройство подключено");
        const bool firstShow = st.RememberedCarrierMode == 0;
        st.RememberedCarrierMode = *mode;  // before the window opens: it may run a nested event loop
        if (firstShow && deviceHooks_.openDeviceInformation) deviceHooks_.openDeviceInformation();
    } else {
        setStatusText(PanelDevice, "Нет ответа");
        st.RememberedCarrierMode = 0;
    }
    setStatusText(PanelReady, "Готово");
    statusBar()->repaint();
}

void TfrmMain::onDeviceLost()
{
    AppState().RememberedCarrierMode = 0;
    setStatusText(PanelDevice, "Нет ответа");
    statusBar()->repaint();
}

QString TfrmMain::helpFilePath() { return QCoreApplication::applicationDirPath() + "/KEMSys.chm"; }

void TfrmMain::openHelp()
{
    if (helpOpener_) helpOpener_(helpFilePath());
}

void TfrmMain::showAbout()
{
    TfrmAbout about(this);
    about.exec();
}
