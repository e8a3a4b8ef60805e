// The traffic box's texts on arbitrary bytes: the hex line, the printable form and the
// table dump are whole, well-formed UTF-8 and show every byte.

#include <cstdint>
#include <string>
#include <vector>

#include "calibration/table_dump.h"
#include "console/traffic_text.h"
#include "protocol/byte_text.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using protocol::Byte;
    const protocol::ByteView rx(data, size);

    std::string hex;
    for (Byte b : rx) hex += fuzz::hex(b) + ' ';
    FUZZ_CHECK(protocol::hex_line(rx) == hex);

    const std::string clean = protocol::CleanStr(rx);
    FUZZ_CHECK(fuzz::well_formed_utf8(clean));
    FUZZ_CHECK(clean.size() >= size);  // every byte takes at least one place
    const std::string western = protocol::CleanStr(rx, protocol::CodePage::windows1252);
    FUZZ_CHECK(fuzz::well_formed_utf8(western));
    FUZZ_CHECK(western.size() >= size);
    FUZZ_CHECK(console::out_win_text(rx) == hex + "\r\n\r\n" + clean);

    // The grid's previous texts as the cells hold them: numbers.
    std::vector<std::string> previous;
    for (std::size_t i = 0; i + 1 < size && previous.size() < 80; i += 2)
        previous.push_back(std::to_string(data[i] << 8 | data[i + 1]));
    const Byte crc = fuzz::crc_of_body(rx);
    const std::string dump = calibration::table_dump(previous, rx, crc);
    FUZZ_CHECK(fuzz::well_formed_utf8(dump));
    std::string front;
    for (const std::string& text : previous) front += text + ' ';
    FUZZ_CHECK(dump == front + hex + fuzz::hex(crc) + ' ' + fuzz::hex(crc));
    return 0;
}
