#include "serial/port_name.h"

#include "protocol/number_text.h"

namespace serial {
namespace {

// The number n of "COMn" or "COMn:" (any case; 1 to 999, no leading zero), else 0.
unsigned com_number(std::string_view name) {
    if (name.size() < 4 || (name[0] | 0x20) != 'c' || (name[1] | 0x20) != 'o' || (name[2] | 0x20) != 'm') return 0;
    std::string_view digits = name.substr(3);
    if (digits.back() == ':') digits.remove_suffix(1);
    if (digits.empty() || digits.size() > 3 || digits[0] == '0') return 0;
    unsigned n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + unsigned(c - '0');
    }
    return n;
}

}  // namespace

std::string device_for_port(std::string_view name) {
    name = protocol::trim_blanks(name);
    const unsigned n = com_number(name);
#ifdef _WIN32
    // Only COM1 to COM9 have names of their own; COM10 and above exist only in the
    // device namespace.
    if (n == 0) return std::string(name);
    return (n < 10 ? "COM" : "\\\\.\\COM") + std::to_string(n);
#else
    if (n < 1 || n > 9 || name.back() != ':') return std::string(name);
    return "/dev/ttyS" + std::to_string(n - 1);
#endif
}

}  // namespace serial
