#pragma once
// A link over a pseudo-terminal to a fresh simulator, with the link log written to a temporary file.
#include "kem_proto_ll.h"
#include "logging_transport.h"
#include "serial_transport.h"
#include "sim_process.h"
#include "temp_dir.h"

#include <QFile>
#include <gtest/gtest.h>

class LinkOverPty : public ::testing::Test {
protected:
    explicit LinkOverPty(const QStringList& simArgs = {}) : sim(simArgs) {}

    void SetUp() override
    {
        ASSERT_TRUE(sim.started());
        link = MakeLink();
        link->SetClearPause(5);
        ASSERT_TRUE(link->Open(sim.path(), true, true));
    }

    std::unique_ptr<TKemProtoLL> MakeLink()
    {
        return std::make_unique<TKemProtoLL>(
            std::make_unique<LoggingTransport>(std::make_unique<SerialTransport>(), dir.file("link.log")));
    }

    // The link log's lines of one direction ('>' sent, '<' received), without their time stamps.
    QStringList LogLines(char direction) const
    {
        QFile f(dir.file("link.log"));
        f.open(QIODevice::ReadOnly);
        QStringList out;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const int at = line.indexOf(QByteArray(" ") + direction + ' ');
            if (at == 23) out << QString::fromLatin1(line.mid(at + 3));
        }
        return out;
    }

    TestDir dir;
    SimProcess sim;
    std::unique_ptr<TKemProtoLL> link;
};
