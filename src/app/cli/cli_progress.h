#pragma once
// The command-line tool follows a long device command with a percent line on stderr.
#include "progress_host.h"

#include <QThread>
#include <cstdio>

class CliProgress : public ProgressHost {
public:
    void follow(ProgressSource& source, const QString& caption) override
    {
        int shown = -1;
        while (source.busy()) {
            const int p = std::min(source.percent(), 100);
            if (p != shown) std::fprintf(stderr, "\r%s: %3d%%", caption.toUtf8().constData(), shown = p);
            QThread::msleep(50);
        }
        std::fprintf(stderr, "\r%s: done\n", caption.toUtf8().constData());
    }
};
