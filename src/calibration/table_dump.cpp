#include "calibration/table_dump.h"

#include "protocol/byte_text.h"
#include "protocol/hex.h"

namespace calibration {

std::string table_dump(const std::vector<std::string>& previous_texts, protocol::ByteView reply,
                       protocol::Byte computed_crc) {
    std::string dump;
    for (const std::string& text : previous_texts) dump += text + ' ';
    dump += protocol::hex_line(reply);
    const std::string crc = protocol::hex_byte(computed_crc);
    dump += crc + ' ' + crc;
    return dump;
}

}  // namespace calibration
