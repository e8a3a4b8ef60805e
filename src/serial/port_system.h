#pragma once
// What the serial port leaves to the system: port_system_posix.cpp and port_system_win.cpp.

#include <QSerialPort>
#include <QSerialPortInfo>
#include <string>

namespace serial {

// The name by which a port the system reports is listed and opened: its device path on
// POSIX, its name ("COM3") on Windows, where the path is "\\.\COM3".
QString listed_port_name(const QSerialPortInfo& port);

// The device to open and lock for `device`: on POSIX the device a link points to, since
// the lock that keeps a second program off a port is named after the path opened.
std::string device_to_open(const std::string& device);

// The system's number for the last failure (errno, GetLastError), and for settings it
// cannot take.
int last_system_error();
int invalid_settings_error();

// Claims `device` for this program before it is opened, and lets go of the claim; false
// when another program holds it. On Windows the claim is a named object, which also keeps
// two programs of ours apart under Wine, where a second open of a port succeeds. POSIX
// has Qt's lock file for that.
bool claim_port(const std::string& device);
void release_port();

// Whether a failed open of `device` means that another program holds the port.
bool held_elsewhere(const QSerialPort& port, const std::string& device);

// Whether an error reported by the open port means that its device went away (an
// adapter pulled out), so the port should be let go of.
bool line_gone(QSerialPort& port, QSerialPort::SerialPortError error);

}  // namespace serial
