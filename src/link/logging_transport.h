#pragma once
// Wraps a transport and writes every byte sent and received as hex, with direction and time, to a
// link log, so that a problem in the field can be diagnosed from the log afterwards.
//   2026-12-11 04:40:18.123 > FE 00 00 01
//   2026-12-11 04:40:18.125 < FE 03 20 00 04 00 2A
#include "link_transport.h"

#include <QFile>
#include <memory>
#include <mutex>

class LoggingTransport : public LinkTransport, private TransportListener {
public:
    LoggingTransport(std::unique_ptr<LinkTransport> inner, const QString& logPath);

    void setListener(TransportListener* listener) override;
    bool open(const QString& systemName, int baud) override;
    void close() override;
    bool isOpen() const override { return inner_->isOpen(); }
    void clearAndWrite(const QByteArray& bytes) override;
    void clear() override { inner_->clear(); }
    QString errorText() const override { return inner_->errorText(); }

    QString logPath() const { return file_.fileName(); }

    // The link log of this run in the protocol directory: kemlink-yyMMdd-hhmmss.log.
    static QString LogPathIn(const QString& dir);

private:
    void received(const uint8_t* data, size_t n) override;
    void portLost() override;
    void line(char direction, const QString& text);

    std::unique_ptr<LinkTransport> inner_;
    TransportListener* listener_ = nullptr;
    std::mutex fileLock_;
    QFile file_;
};
