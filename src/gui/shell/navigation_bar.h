#pragma once
// The outlook-style bar on the left of the main window: groups of large buttons, each running a
// command of the main window and following its enabled state.
#include <QObject>
#include <QString>
#include <initializer_list>
#include <utility>

class QAction;
class QDockWidget;
class QToolBox;
class QWidget;

class NavigationBar : public QObject {
    Q_OBJECT
public:
    explicit NavigationBar(QWidget* mainWindow);
    void addGroup(const QString& title, std::initializer_list<std::pair<QString, QAction*>> items);
    QDockWidget* dock() const { return dock_; }
    QToolBox* toolBox() const { return box_; }

private:
    QDockWidget* dock_;
    QToolBox* box_;
};
