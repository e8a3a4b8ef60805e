#include <poll.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>

#include "serial/port_system.h"

namespace serial {

QString listed_port_name(const QSerialPortInfo& port) { return port.systemLocation(); }

std::string device_to_open(const std::string& device) {
    const QString real = QFileInfo(QString::fromStdString(device)).canonicalFilePath();
    return real.isEmpty() ? device : real.toStdString();
}

bool claim_port(const std::string&) { return true; }

void release_port() {}

int last_system_error() { return errno; }

int invalid_settings_error() { return EINVAL; }

// A permission error on a device we may read and write: Qt's lock on the port is taken.
bool held_elsewhere(const QSerialPort& port, const std::string& device) {
    return port.error() == QSerialPort::PermissionError && ::access(device.c_str(), R_OK | W_OK) == 0;
}

// The error alone does not tell: the port's read notification can come after a blocking
// read took the bytes it was for, and then finds nothing to read, which Qt reports as a
// read error or, when the read says "try again" (EAGAIN), as a resource error. Only a
// descriptor that reports a hang-up is gone.
bool line_gone(QSerialPort& port, QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError) return false;
    pollfd p{static_cast<int>(port.handle()), 0, 0};  // hang-up and errors are reported unasked
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace serial
