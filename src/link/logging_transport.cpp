#include "logging_transport.h"

#include <QDateTime>
#include <QDir>

LoggingTransport::LoggingTransport(std::unique_ptr<LinkTransport> inner, const QString& logPath)
    : inner_(std::move(inner)), file_(logPath)
{
    QDir().mkpath(QFileInfo(logPath).absolutePath());
    file_.open(QIODevice::Append | QIODevice::Text);  // a log that cannot be opened just stays empty
    inner_->setListener(this);
}

QString LoggingTransport::LogPathIn(const QString& dir)
{
    return QDir(dir).filePath("kemlink-" + QDateTime::currentDateTime().toString("yyMMdd-hhmmss") + ".log");
}

void LoggingTransport::setListener(TransportListener* listener)
{
    listener_ = listener;
}

bool LoggingTransport::open(const QString& systemName, int baud)
{
    const bool ok = inner_->open(systemName, baud);
    line('*', QString("open %1 %2 baud: %3").arg(systemName).arg(baud).arg(ok ? "ok" : inner_->errorText()));
    return ok;
}

void LoggingTransport::close()
{
    inner_->close();
    line('*', "close");
}

void LoggingTransport::clearAndWrite(const QByteArray& bytes)
{
    line('>', QString::fromLatin1(bytes.toHex(' ').toUpper()));
    inner_->clearAndWrite(bytes);
}

void LoggingTransport::received(const uint8_t* data, size_t n)
{
    line('<', QString::fromLatin1(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(n))
                                      .toHex(' ')
                                      .toUpper()));
    if (listener_) listener_->received(data, n);
}

void LoggingTransport::portLost()
{
    line('*', "port lost: " + inner_->errorText());
    if (listener_) listener_->portLost();
}

void LoggingTransport::line(char direction, const QString& text)
{
    const QString stamp = QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss.zzz");
    std::lock_guard lock(fileLock_);
    if (!file_.isOpen()) return;
    file_.write((stamp + ' ' + QChar(direction) + ' ' + text + '\n').toUtf8());
    file_.flush();
}
