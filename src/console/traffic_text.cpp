#include "console/traffic_text.h"

namespace console {

std::string out_win_text(protocol::ByteView wwrs, protocol::CodePage high_bytes) {
    return protocol::hex_line(wwrs) + "\r\n\r\n" + protocol::CleanStr(wwrs, high_bytes);
}

}  // namespace console
