#pragma once
// The recorder's serial port. Qt SerialPort is not thread-safe, so one thread of its own owns the
// port object and makes every call on it; the link's threads hand it their work. Its readyRead
// handler is the link's reading thread.
#include "link_transport.h"

#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

class QSerialPort;

class SerialTransport : public LinkTransport {
public:
    SerialTransport();
    ~SerialTransport() override;

    void setListener(TransportListener* listener) override { listener_ = listener; }
    bool open(const QString& systemName, int baud) override;
    void close() override;
    bool isOpen() const override { return open_.load(); }
    void clearAndWrite(const QByteArray& bytes) override;
    void clear() override;
    QString errorText() const override;

private:
    class PortHost;
    void runOnPort(std::function<void()> work, bool wait);

    QThread thread_;
    PortHost* host_ = nullptr;
    TransportListener* listener_ = nullptr;
    std::atomic<bool> open_{false};
};
