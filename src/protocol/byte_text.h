#pragma once
// Bytes as text: a line of hexadecimal bytes and a printable rendering of the same
// bytes, as the traffic box and the dumps show them. Plain C++; texts are UTF-8.

#include <string>
#include <string_view>

#include "bytes.h"

namespace protocol {

// Each byte as "0".."FF" followed by one blank: 31 05 0D 5D gives "31 5 D 5D ".
std::string hex_line(ByteView frame);

// The single-byte code page that bytes from 0x80 up are shown in: the Cyrillic one of a
// Russian system or the Western one of an English system.
enum class CodePage { windows1251, windows1252 };

// The printable rendering: "]" is "<ACK>", "[" is "<NAK>", 0x30..0xFF stand for
// themselves (bytes from 0x80 up in the code page given), CR is "<CR>", LF is "<LF>",
// every other byte below 0x30 is "@".
std::string CleanStr(ByteView TextLine, CodePage high_bytes = CodePage::windows1251);

// Text in the Cyrillic code page windows-1251 (as spreadsheets on Russian systems save
// it) in UTF-8; bytes below 0x80 are ASCII and stay as they are.
std::string windows1251_to_utf8(std::string_view text);

}  // namespace protocol
