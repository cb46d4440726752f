#include "firebird_server.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char* const ServerProgram = "/usr/sbin/firebird";
const char* const PasswordFile = "/etc/firebird/3.0/SYSDBA.password";

bool portOpen()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(3050);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

QString readPassword()
{
    QFile f(PasswordFile);
    if (!f.open(QIODevice::ReadOnly)) return {};
    static const QRegularExpression re("ISC_PASSWORD=\"?([^\"\\n]*)\"?");
    return re.match(QString::fromUtf8(f.readAll())).captured(1);
}

}  // namespace

FirebirdServer::FirebirdServer()
{
    if (!QFileInfo::exists(ServerProgram)) {
        why_ = "no Firebird server here: install the package firebird3.0-server to run the server tests";
        return;
    }
    password_ = readPassword();
    if (password_.isEmpty()) {
        why_ = QString("the SYSDBA password of the Firebird server is not readable in %1").arg(PasswordFile);
        return;
    }
    if (portOpen()) return;  // a server already runs (the package's service)
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start(ServerProgram, {});
    if (!server_.waitForStarted(10000)) {
        why_ = "the Firebird server did not start: " + server_.errorString();
        return;
    }
    QElapsedTimer t;
    t.start();
    while (!portOpen()) {
        if (server_.state() != QProcess::Running || t.elapsed() > 20000) {
            why_ = "the Firebird server does not listen on 127.0.0.1:3050: " + QString::fromUtf8(server_.readAll());
            return;
        }
        QThread::msleep(100);
    }
}

FirebirdServer::~FirebirdServer()
{
    if (server_.state() == QProcess::NotRunning) return;
    server_.terminate();  // by its own process id
    if (!server_.waitForFinished(10000)) {
        server_.kill();
        server_.waitForFinished(5000);
    }
}
