#pragma once

#include <string>
#include <string_view>

namespace serial {

// The device to open for a name from the port list or typed by the operator.
// "COM1:" to "COM9:" are the PC's own ports: "COM1".."COM9" on Windows,
// /dev/ttyS0../dev/ttyS8 elsewhere. On Windows any "COMn" or "COMn:" is port n, and from
// COM10 on its device is "\\.\COMn". Any other text is a device name as typed
// (/dev/ttyUSB0, a pseudo-terminal), blanks around it removed.
std::string device_for_port(std::string_view name);

}  // namespace serial
