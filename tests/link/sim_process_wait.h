#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

template <typename F>
bool WaitFor(F condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}
