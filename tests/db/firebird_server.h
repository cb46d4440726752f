#pragma once
// A Firebird server for the multi-workstation tests: the one already listening on 127.0.0.1:3050,
// or /usr/sbin/firebird started here and stopped by its process id when the fixture ends. The
// SYSDBA password is the one the server package generated.
#include <QProcess>
#include <QString>

class FirebirdServer {
public:
    FirebirdServer();
    ~FirebirdServer();

    // Empty when the server is running; otherwise why the tests are skipped.
    const QString& unavailable() const { return why_; }
    const QString& password() const { return password_; }

private:
    QProcess server_;
    QString why_;
    QString password_;
};
