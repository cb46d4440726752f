#include "port_names.h"

#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>

bool IsDevicePath(const QString& name)
{
    return name.startsWith('/');
}

QStringList MachineSerialPorts()
{
    static const QStringList kinds{"ttyUSB", "ttyACM", "ttyS"};
    struct Port {
        int kind;
        int number;
        QString location;
    };
    std::vector<Port> ports;
    static const QRegularExpression re("^(ttyUSB|ttyACM|ttyS)(\\d+)$");
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const auto m = re.match(info.portName());
        if (m.hasMatch()) ports.push_back({int(kinds.indexOf(m.captured(1))), m.captured(2).toInt(), info.systemLocation()});
    }
    std::sort(ports.begin(), ports.end(), [](const Port& a, const Port& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.number < b.number;
    });
    QStringList out;
    for (const Port& p : ports) out << p.location;
    return out;
}

QString SystemPortForNumber(int n)
{
    const QStringList ports = MachineSerialPorts();
    return n >= 1 && n <= ports.size() ? ports[n - 1] : QString();
}
