#pragma once
// The byte pipe under the link. The serial port is one transport; a logging wrapper that writes a
// hex dump of every byte is another, and tests may add their own. Received bytes are delivered on
// the transport's own reading thread, in chunks of any size.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

struct TransportListener {
    virtual ~TransportListener() = default;
    virtual void received(const uint8_t* data, size_t n) = 0;
    // The port went away under the link (adapter unplugged): it is closed now.
    virtual void portLost() = 0;
};

class LinkTransport {
public:
    virtual ~LinkTransport() = default;

    // Set once, before the first open.
    virtual void setListener(TransportListener* listener) = 0;
    // Opens the port (8N1, no flow control) and returns when it is open or has failed.
    virtual bool open(const QString& systemName, int baud) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Drops whatever both driver buffers hold, then writes the bytes in one write.
    virtual void clearAndWrite(const QByteArray& bytes) = 0;
    virtual void clear() = 0;
    virtual QString errorText() const = 0;
};
