#pragma once
// A temporary directory removed when the test ends; path() ends with a separator.
#include <QString>
#include <QTemporaryDir>

class TestDir {
public:
    TestDir() { dir_.setAutoRemove(true); }
    QString path() const { return dir_.path() + '/'; }
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir dir_;
};
