#include "serial/port_name.h"

#include "protocol/number_text.h"

namespace serial {

std::string device_for_port(std::string_view name) {
    name = protocol::trim_blanks(name);

    const bool listed = name.size() == 5 && (name[0] | 0x20) == 'c' && (name[1] | 0x20) == 'o' &&
                        (name[2] | 0x20) == 'm' && name[3] >= '1' && name[3] <= '9' && name[4] == ':';
    if (!listed) return std::string(name);
#ifdef _WIN32
    return std::string("COM") + name[3];
#else
    return std::string("/dev/ttyS") + char(name[3] - 1);
#endif
}

}  // namespace serial
