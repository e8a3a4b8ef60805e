#include "console/traffic_text.h"

#include "protocol/byte_text.h"

namespace console {

std::string out_win_text(protocol::ByteView wwrs) {
    return protocol::hex_line(wwrs) + "\r\n\r\n" + protocol::CleanStr(wwrs);
}

}  // namespace console
