#include "navigation_bar.h"

#include <QAction>
#include <QDockWidget>
#include <QToolBox>
#include <QToolButton>
#include <QVBoxLayout>

NavigationBar::NavigationBar(QWidget* mainWindow) : QObject(mainWindow)
{
    dock_ = new QDockWidget(mainWindow);
    dock_->setObjectName("NavigationDock");
    dock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock_->setTitleBarWidget(new QWidget(dock_));  // no title: the bar is part of the frame
    box_ = new QToolBox(dock_);
    box_->setObjectName("NavigationBar");
    box_->setMinimumWidth(190);
    dock_->setWidget(box_);
}

void NavigationBar::addGroup(const QString& title, std::initializer_list<std::pair<QString, QAction*>> items)
{
    auto* page = new QWidget(box_);
    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(4);
    for (const auto& [caption, action] : items) {
        auto* b = new QToolButton(page);
        b->setObjectName("nav_" + action->objectName());
        b->setText(caption);
        b->setIcon(action->icon());
        b->setIconSize(QSize(32, 32));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setToolTip(action->toolTip());
        b->setStatusTip(action->statusTip());
        b->setEnabled(action->isEnabled());
        connect(b, &QToolButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::changed, b, [b, action] { b->setEnabled(action->isEnabled()); });
        layout->addWidget(b);
    }
    layout->addStretch(1);
    box_->addItem(page, title);
}
