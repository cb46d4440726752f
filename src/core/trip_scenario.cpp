#include "trip_scenario.h"

#include <QDateTime>
#include <QStringList>

namespace {

bool number(const QStringList& f, int i, double& out)
{
    bool ok = false;
    out = i < f.size() ? f[i].toDouble(&ok) : 0;
    return ok && out >= 0;
}

bool parseStep(const QStringList& f, TTripStep& s)
{
    static const std::pair<const char*, TTripStep::Kind> kinds[] = {
        {"drive", TTripStep::Drive}, {"idle", TTripStep::Idle}, {"park", TTripStep::Park},
        {"refuel", TTripStep::Refuel}, {"drain", TTripStep::Drain}, {"poweroff", TTripStep::PowerOff}};
    bool known = false;
    for (auto [name, kind] : kinds)
        if (f[0] == QLatin1String(name)) {
            s.kind = kind;
            known = true;
        }
    if (!known)
        return false;
    double a = 0, b = 0, c = 0;
    switch (s.kind) {
    case TTripStep::Drive:
        if (!number(f, 1, a) || !number(f, 2, b) || !number(f, 3, c))
            return false;
        s.minutes = int(a), s.speed = b, s.burn = c;
        break;
    case TTripStep::Idle:
        if (!number(f, 1, a) || !number(f, 2, c))
            return false;
        s.minutes = int(a), s.burn = c;
        break;
    case TTripStep::Refuel:
    case TTripStep::Drain:
        if (!number(f, 1, b) || !number(f, 2, a))
            return false;
        s.litres = b, s.minutes = int(a);
        break;
    default:
        if (!number(f, 1, a))
            return false;
        s.minutes = int(a);
    }
    return s.minutes > 0 && s.minutes <= 100000;
}

}  // namespace

bool ParseTripScenario(const QString& text, TTripScenario& out, QString& error)
{
    out = TTripScenario{};
    out.start = ProtokolSecondsOf(2026, 1, 1, 8, 0, 0);
    const QStringList lines = text.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].section('#', 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList f = line.split(' ', Qt::SkipEmptyParts);
        auto fail = [&] {
            error = QString("line %1: %2").arg(n + 1).arg(line);
            return false;
        };
        double v = 0;
        if (f[0] == "start") {
            const QDateTime t = QDateTime::fromString(f.mid(1).join(' '), "yyyy-MM-dd HH:mm");
            if (!t.isValid() || t.date().year() < 2000 || t.date().year() > 2099)
                return fail();
            out.start = ProtokolSecondsOf(t.date().year(), t.date().month(), t.date().day(), t.time().hour(),
                                          t.time().minute(), 0);
            out.hasStart = true;
        } else if (f[0] == "tank1" || f[0] == "tank2") {
            if (!number(f, 1, v))
                return fail();
            (f[0] == "tank1" ? out.tank1 : out.tank2) = v;
        } else if (f[0] == "rpm") {
            double idle = 0;
            if (!number(f, 1, v) || !number(f, 2, idle))
                return fail();
            out.driveRPM = int(v), out.idleRPM = int(idle);
        } else if (f[0] == "repeat") {
            if (!number(f, 1, v) || v < 1 || v * double(out.steps.size()) > 100000)
                return fail();
            const auto once = out.steps;
            for (int i = 1; i < int(v); ++i)
                out.steps.insert(out.steps.end(), once.begin(), once.end());
        } else {
            TTripStep s;
            if (!parseStep(f, s))
                return fail();
            out.steps.push_back(s);
        }
    }
    return true;
}
