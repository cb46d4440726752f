#pragma once
// The recorder's side of the link: parses the office's command frames and answers them from the
// carrier, with the faults it has been told to make.
#include "sim_carrier.h"
#include "sim_faults.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <random>

// Where replies go: the line, after delayMs.
struct SimOutput {
    virtual ~SimOutput() = default;
    virtual void send(const QByteArray& bytes, int delayMs) = 0;
    virtual void unplug() = 0;
};

class SimRecorder {
public:
    SimRecorder(SimCarrier& carrier, SimFaults& faults, SimStats& stats) : carrier_(carrier), faults_(faults), stats_(stats) {}

    void feed(const uint8_t* data, size_t n, SimOutput& out);

private:
    void accept(uint8_t b, SimOutput& out);
    void handle(uint8_t code, const uint8_t* data, int len, SimOutput& out);
    QByteArray status(uint8_t code) const;
    QByteArray frame(uint8_t code, const uint8_t* data, int len, int csDelta = 0) const;
    QByteArray garbage();
    void reply(QByteArray* frames, int count, SimOutput& out);
    bool readPage(const uint8_t* data, int len, SimOutput& out);

    SimCarrier& carrier_;
    SimFaults& faults_;
    SimStats& stats_;
    std::mt19937 random_{12345};

    bool inFrame_ = false;
    bool escape_ = false;
    bool haveLen_ = false;
    int len_ = 0;
    int count_ = 0;
    uint8_t buffer_[80] = {};
    int writePage_ = -1;
};
