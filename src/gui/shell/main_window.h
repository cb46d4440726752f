#pragma once
// The main window: a multi-document frame with the program's commands, the navigation bar, the
// status bar, the polling timer and the device notifications. Windows of other parts attach
// themselves through registerWindowCommand / registerCommand and need no edit of this file.
#include "qt_interaction.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class TProgressForm;
class ProgressHost;

// What the device notifications need from the communication manager and the device information
// window; the link and service parts fill these in.
struct DeviceStatusHooks {
    // Fetches the recorder's state through the worker: the carrier mode of its status record, or
    // nothing when the request failed.
    std::function<std::optional<uint8_t>()> fetchCarrierMode;
    // Creates the device information window if needed, runs its RequestCarrier and shows its idle panel.
    std::function<void()> openDeviceInformation;
};

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    enum class ChildLifetime { DeleteOnClose, HideOnClose };
    enum StatusPanel { PanelHint = 0, PanelOne = 1, PanelReady = 2, PanelDevice = 3 };

    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The command with this object name ("actionOrdersNew", "menuItemOrdersExportFuel", ...); null if none.
    QAction* action(const QString& objectName) const;

    // A "show" command: creates the child window on first use (factory), shows it, restores it when
    // minimised and brings it to the front. The action becomes enabled. A window closed with
    // DeleteOnClose is created anew next time; HideOnClose keeps it for reuse.
    void registerWindowCommand(const QString& actionName, std::function<QWidget*()> factory,
                               ChildLifetime lifetime = ChildLifetime::DeleteOnClose);
    // Any other command (a new order window each time, an export, the options dialog). Enables the action.
    void registerCommand(const QString& actionName, std::function<void()> handler);
    // Runs the command as if the user had chosen it; returns the window of a "show" command.
    QWidget* runCommand(const QString& actionName);

    // Puts a window of a per-use kind (order, chart, ...) into the frame and shows it; it is freed on close.
    QMdiSubWindow* addChildWindow(QWidget* widget);
    QMdiArea* mdiArea() const { return mdi_; }

    void setStatusText(int panel, const QString& text);
    QString statusText(int panel) const;

    // The device polling switch used around issue, read and calibration-order operations.
    void SuspendDevicePolling();
    void ResumeDevicePolling();
    QTimer* TimerOprosDevice() { return &timerOprosDevice_; }

    Interaction& interaction() { return interaction_; }
    ProgressHost& progressHost();
    TProgressForm* progressForm() const { return progressForm_; }

    void setDeviceStatusHooks(DeviceStatusHooks hooks) { deviceHooks_ = std::move(hooks); }

    // The help file, opened with the desktop's handler.
    static QString helpFilePath();
    void setHelpOpener(std::function<void(const QString& path)> opener) { helpOpener_ = std::move(opener); }

public slots:
    // Posted by the communication manager's worker (queued) when a recorder answers / stops answering.
    void onDeviceConnected();
    void onDeviceLost();
    void openHelp();
    void showAbout();

protected:
    bool event(QEvent* event) override;  // status tips go to panel 0

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createNavigationBar();
    void createStatusBar();
    void connectFixedCommands();
    QWidget* showWindow(const QString& actionName);
    void fillWindowMenu();

    struct WindowCommand {
        std::function<QWidget*()> factory;
        ChildLifetime lifetime;
        QPointer<QMdiSubWindow> sub;
    };

    QMdiArea* mdi_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QHash<QString, QAction*> actions_;
    QHash<QString, WindowCommand> windows_;
    QHash<QString, std::function<void()>> commands_;
    QLabel* panels_[4] = {};
    QTimer timerOprosDevice_;
    QtInteraction interaction_;
    TProgressForm* progressForm_ = nullptr;
    DeviceStatusHooks deviceHooks_;
    std::function<void(const QString&)> helpOpener_;
};

// The main window of this run (null before it is created and after it is gone).
TfrmMain* frmMain();
