#include <windows.h>

#include <algorithm>

#include "serial/port_system.h"

namespace serial {
namespace {

HANDLE claim = nullptr;

}  // namespace

bool claim_port(const std::string& device) {
    release_port();
    // One name for every spelling of a port: "COM12", "com12", "\\.\COM12".
    std::wstring name = QString::fromStdString(device).remove(QStringLiteral("\\\\.\\")).toUpper().toStdWString();
    std::replace(name.begin(), name.end(), L'\\', L'_');
    name = L"Global\\trelvik-serial-port-" + name;
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    // Another program's claim, or one that this user may not even look at.
    if (event == nullptr) return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(event);
        return false;
    }
    claim = event;
    return true;
}

void release_port() {
    if (claim) CloseHandle(claim);
    claim = nullptr;
}

QString listed_port_name(const QSerialPortInfo& port) { return port.portName(); }

std::string device_to_open(const std::string& device) { return device; }

int last_system_error() { return static_cast<int>(GetLastError()); }

int invalid_settings_error() { return ERROR_INVALID_PARAMETER; }

// Windows opens a serial port for one program at a time and answers any other with
// "access denied", which Qt reports as a permission error.
bool held_elsewhere(const QSerialPort& port, const std::string&) {
    return port.error() == QSerialPort::PermissionError;
}

// A pulled adapter makes Qt report whatever its driver answers: "access denied", "device
// removed", "bad command" or a general failure, as a permission, resource, read, write or
// unknown error. A read that the port's own purge aborted is reported as a resource error
// as well, on a port that is fine. The handle tells them apart: the driver of a device
// that went away refuses every request, the status query among them.
bool line_gone(QSerialPort& port, QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::PermissionError:
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::UnknownError:
        break;
    default:
        return false;
    }
    DWORD errors = 0;
    return ClearCommError(reinterpret_cast<HANDLE>(port.handle()), &errors, nullptr) == 0;
}

}  // namespace serial
