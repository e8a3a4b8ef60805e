#include "console/system_ports.h"

#include <QSerialPortInfo>

#include "serial/port_system.h"

void SystemPorts::start() {
    // Emitted on the lister's thread, the signal reaches a receiver on another thread as a
    // queued call, which is dropped if the receiver is gone by then.
    lister_ = std::thread([this] {
        QStringList ports;
        for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) ports << serial::listed_port_name(port);
        emit listed(ports);
    });
}

SystemPorts::~SystemPorts() {
    if (lister_.joinable()) lister_.join();
}
