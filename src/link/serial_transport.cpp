#include "serial_transport.h"

#include <QMutex>
#include <QSerialPort>

// Lives on the port thread; every call on the QSerialPort happens there.
class SerialTransport::PortHost : public QObject {
public:
    explicit PortHost(SerialTransport* owner) : owner_(owner) {}

    bool open(const QString& name, int baud)
    {
        closePort();
        port_ = new QSerialPort(this);
        port_->setPortName(name);
        port_->setBaudRate(baud);
        port_->setDataBits(QSerialPort::Data8);
        port_->setParity(QSerialPort::NoParity);
        port_->setStopBits(QSerialPort::OneStop);
        port_->setFlowControl(QSerialPort::NoFlowControl);
        port_->setReadBufferSize(0);
        if (!port_->open(QIODevice::ReadWrite)) {
            setError(port_->errorString());
            delete port_;
            port_ = nullptr;
            return false;
        }
        // A pseudo-terminal refuses the modem lines ("Inappropriate ioctl"): harmless there.
        port_->setDataTerminalReady(false);
        port_->setRequestToSend(false);
        port_->clearError();
        QObject::connect(port_, &QSerialPort::readyRead, this, [this] { readAll(); });
        QObject::connect(port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
            if (e == QSerialPort::ResourceError || e == QSerialPort::PermissionError) lose();
        });
        owner_->open_.store(true);
        return true;
    }

    void closePort()
    {
        owner_->open_.store(false);
        if (!port_) return;
        port_->disconnect(this);
        if (port_->isOpen()) {
            port_->clear();
            port_->close();
        }
        delete port_;
        port_ = nullptr;
    }

    void clear()
    {
        if (port_ && port_->isOpen()) port_->clear();
    }

    void write(const QByteArray& bytes)
    {
        if (!port_ || !port_->isOpen()) return;
        port_->write(bytes);
        port_->flush();  // out now instead of on the next event-loop turn
    }

    QString error() const
    {
        QMutexLocker lock(&errorLock_);
        return error_;
    }

private:
    void setError(const QString& text)
    {
        QMutexLocker lock(&errorLock_);
        error_ = text;
    }

    void readAll()
    {
        uint8_t buffer[1200];
        while (port_ && port_->bytesAvailable() > 0) {
            const qint64 n = port_->read(reinterpret_cast<char*>(buffer), sizeof buffer);
            if (n <= 0) break;
            if (owner_->listener_) owner_->listener_->received(buffer, size_t(n));
        }
    }

    void lose()
    {
        if (!port_) return;
        setError(port_->errorString());
        // Closing inside the port's own error signal is unsafe; do it on the next turn.
        QMetaObject::invokeMethod(this, [this] {
            if (!port_) return;
            closePort();
            if (owner_->listener_) owner_->listener_->portLost();
        }, Qt::QueuedConnection);
        owner_->open_.store(false);
    }

    SerialTransport* owner_;
    QSerialPort* port_ = nullptr;
    mutable QMutex errorLock_;
    QString error_;
};

SerialTransport::SerialTransport()
{
    thread_.setObjectName("kem-port");
    host_ = new PortHost(this);
    host_->moveToThread(&thread_);
    thread_.start();
}

SerialTransport::~SerialTransport()
{
    runOnPort([this] {
        host_->closePort();
        delete host_;
        host_ = nullptr;
    }, true);
    thread_.quit();
    thread_.wait();
}

void SerialTransport::runOnPort(std::function<void()> work, bool wait)
{
    if (QThread::currentThread() == &thread_) {
        work();
        return;
    }
    QMetaObject::invokeMethod(host_, std::move(work), wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
}

bool SerialTransport::open(const QString& systemName, int baud)
{
    bool ok = false;
    runOnPort([&] { ok = host_->open(systemName, baud); }, true);
    return ok;
}

void SerialTransport::close()
{
    runOnPort([this] { host_->closePort(); }, true);
}

void SerialTransport::clearAndWrite(const QByteArray& bytes)
{
    runOnPort([this, bytes] {
        host_->clear();
        host_->write(bytes);
    }, false);
}

void SerialTransport::clear()
{
    runOnPort([this] { host_->clear(); }, true);
}

QString SerialTransport::errorText() const
{
    return host_ ? host_->error() : QString();
}
