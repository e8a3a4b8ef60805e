#pragma once
// How frames look in the traffic box: a line of hexadecimal bytes and a printable
// rendering of the same bytes. Plain C++; texts are UTF-8.

#include <string>

#include "bytes.h"

namespace protocol {

// Each byte as "0".."FF" followed by one blank: 31 05 0D 5D gives "31 5 D 5D ".
std::string hex_line(ByteView frame);

// The printable rendering: "]" is "<ACK>", "[" is "<NAK>", 0x30..0xFF stand for
// themselves (bytes from 0x80 up in the Cyrillic code page windows-1251), CR is "<CR>",
// LF is "<LF>", every other byte below 0x30 is "@".
std::string CleanStr(ByteView TextLine);

// The traffic box's text for one frame: hex_line, CR LF CR LF, CleanStr. Frames of any
// length are shown whole.
std::string out_win_text(ByteView wwrs);

}  // namespace protocol
