#include "window_arrangement.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaObject>

namespace {

QList<QMdiSubWindow*> normalWindows(QMdiArea& area)
{
    QList<QMdiSubWindow*> out;
    for (QMdiSubWindow* w : area.subWindowList(QMdiArea::CreationOrder))
        if (w->isVisible() && !w->isMinimized()) out << w;
    return out;
}

}  // namespace

void TileChildWindows(QMdiArea& area, TileDirection direction)
{
    const QList<QMdiSubWindow*> windows = normalWindows(area);
    if (windows.isEmpty()) return;
    const QRect r = area.viewport()->rect();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows[i];
        if (w->isMaximized()) w->showNormal();
        if (direction == TileDirection::Horizontal) {
            const int h = r.height() / n;
            w->setGeometry(0, i * h, r.width(), i == n - 1 ? r.height() - i * h : h);
        } else {
            const int wd = r.width() / n;
            w->setGeometry(i * wd, 0, i == n - 1 ? r.width() - i * wd : wd, r.height());
        }
    }
}

void MinimizeChildWindows(QMdiArea& area)
{
    for (QMdiSubWindow* w : area.subWindowList())
        if (w->isVisible()) w->showMinimized();
}

void ArrangeMinimizedWindows(QMdiArea& area)
{
    const QRect r = area.viewport()->rect();
    int x = 0;
    int y = r.bottom();
    for (QMdiSubWindow* w : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isVisible() || !w->isMinimized()) continue;
        const QSize s = w->size();
        if (x > 0 && x + s.width() > r.width()) {
            x = 0;
            y -= s.height();
        }
        w->move(x, y - s.height() + 1);
        x += s.width();
    }
}

void RunClipboardCommand(ClipboardCommand command)
{
    QWidget* target = QApplication::focusWidget();
    if (!target) return;
    if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->lineEdit()) target = combo->lineEdit();
    else if (qobject_cast<QAbstractSpinBox*>(target)) target = target->findChild<QLineEdit*>();
    if (!target) return;
    const char* slot = command == ClipboardCommand::Cut ? "cut" : command == ClipboardCommand::Copy ? "copy" : "paste";
    // Line edits, text edits and plain text edits all offer these as slots.
    if (target->metaObject()->indexOfSlot(QByteArray(slot).append("()").constData()) >= 0)
        QMetaObject::invokeMethod(target, slot);
}
