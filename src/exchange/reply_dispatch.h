#pragma once
// What one tick's received bytes mean for the window, decided without touching it:
// the traffic dump, the family of the reply, its decoded fields and its status line.
// Positions in comments are 1-based, as on the wire. Nothing is read past the end of
// the received bytes; a field the reply is too short for is absent.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "protocol/byte_text.h"
#include "protocol/bytes.h"
#include "protocol/translatable.h"

namespace exchange {

using protocol::Byte;
using protocol::ByteView;

enum class ReplyFamily {
    Sensor,        // 0x3E and at least 4 bytes
    Display,       // 0x31
    SearchResult,  // anything else, 0x3E with 3 bytes or fewer included
};
// While a search is outstanding, the first sensor to answer may have the address 49
// (0x31) or 62 (0x3E). A string that starts so but is no well-formed reply (its last
// byte is not the CRC of the bytes before it) and holds only addresses 0..200 is then
// the search result.
ReplyFamily classify_reply(ByteView rx, bool search_outstanding = false);

// CRC-8 over every byte but the last; 0 for an empty string.
Byte reply_crc(ByteView rx);

// The traffic box's text for a reply of fewer than 30 bytes: the bytes in hex, the reply
// CRC in hex and a blank, CR LF CR LF, CleanStr of the bytes, the request CRC in hex.
// nullopt for 30 bytes or more: the box keeps showing the frame sent.
std::optional<std::string> reply_dump(ByteView rx, Byte request_crc,
                                      protocol::CodePage high_bytes = protocol::CodePage::windows1251);

// Full poll (0xF0), 21 bytes, or 22 with the mode byte at 21. Multi-byte fields are
// little-endian; the temperature is a signed byte.
struct FullPoll {
    int temperature = 0;
    Byte address = 0;
    std::uint16_t level = 0;
    std::uint32_t current = 0;
    std::uint32_t lower = 0;
    std::uint32_t upper = 0;
    std::uint16_t k = 0;
    std::optional<Byte> mode;  // only in a reply of 22 bytes or more
};

// Standard request (0x06): the sensor's address at 2, temperature at 4, level at 5-6.
struct ShortPoll {
    Byte address = 0;
    std::optional<int> temperature;
    std::optional<std::uint16_t> level;
};

// Identity (0xFC): serial number at 4-7 (absent when the reply has fewer than 7
// bytes); the version only from a reply of exactly 10 bytes, as the label shows it:
// byte 9 in decimal unless 0, then the first three decimal digits of byte 8, each
// followed by "." (a missing digit gives just the "."): 0, 152 give "1.5.2.".
struct Identity {
    std::optional<std::uint32_t> serial;
    std::optional<std::string> version;
};

struct Dispatch {
    std::optional<std::string> dump;  // see reply_dump
    ReplyFamily family = ReplyFamily::SearchResult;
    std::optional<Byte> code;  // position 3, when present

    // Sensor replies.
    std::optional<FullPoll> full_poll;    // 0xF0 of at least 21 bytes whose last byte is its CRC
    std::optional<ShortPoll> short_poll;  // 0x06
    std::optional<Identity> identity;     // 0xFC
    std::optional<Byte> set_mode;         // 0xF2: the mode byte at 4, shown whatever mode_yes holds
    bool unknown_sensor_code = false;     // status " Непонятно что пришло! " and a message box

    // Display-unit replies.
    bool table = false;     // 0xEE: the whole string goes to the table decoder
    bool after_slot = false;  // the status follows the selected slot's entry text (0xEE, 0xE0)

    // The status line, when the reply sets one; worded by the window.
    std::optional<protocol::Text> status;

    // Search result of fewer than 20 bytes: every byte is an address.
    std::optional<std::vector<Byte>> addresses;
};

Dispatch dispatch_reply(ByteView rx, Byte request_crc, bool search_outstanding = false,
                        protocol::CodePage high_bytes = protocol::CodePage::windows1251);

}  // namespace exchange
