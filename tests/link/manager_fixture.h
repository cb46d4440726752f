#pragma once
// A communication manager whose link counts the opens of its serial port, and a simulator.
#include "kem_comm_dm.h"
#include "serial_transport.h"
#include "sim_process.h"

#include <gtest/gtest.h>

class CountingTransport : public SerialTransport {
public:
    bool open(const QString& name, int baud) override
    {
        (baud == 230400 ? highOpens : normalOpens)++;
        return SerialTransport::open(name, baud);
    }
    std::atomic<int> highOpens{0};
    std::atomic<int> normalOpens{0};
};

class ManagerOverPty : public ::testing::Test {
protected:
    explicit ManagerOverPty(const QStringList& simArgs = {}) : sim(simArgs)
    {
        auto t = std::make_unique<CountingTransport>();
        transport = t.get();
        auto link = std::make_unique<TKemProtoLL>(std::move(t));
        link->SetClearPause(5);
        dm = std::make_unique<TKemCommDM>(std::move(link));
        dm->SetOnConnect([this] {
            ++connects;
            if (fetchOnConnect) dm->FetchDeviceState();
        });
        dm->SetOnDisconnect([this] { ++disconnects; });
    }

    void SetUp() override { ASSERT_TRUE(sim.started()); }

    // Starts on the simulator's port and waits for the recorder-found notification.
    void Connect()
    {
        dm->StartLink(sim.path());
        ASSERT_TRUE(WaitFor([&] { return connects > 0 && !dm->ConnectPending(); }, 5000));
    }

    // Follows a long command like the progress window does, noting every percent value seen.
    std::vector<int> Follow()
    {
        std::vector<int> seen;
        while (dm->Busy()) {
            const int p = dm->Progress();
            if (seen.empty() || seen.back() != p) seen.push_back(p);
            QThread::usleep(200);
        }
        if (seen.empty() || seen.back() != dm->Progress()) seen.push_back(dm->Progress());
        return seen;
    }

    SimProcess sim;
    CountingTransport* transport = nullptr;
    std::unique_ptr<TKemCommDM> dm;
    int connects = 0;
    int disconnects = 0;
    bool fetchOnConnect = true;
};
