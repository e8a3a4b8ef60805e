// Reply dispatch on arbitrary received bytes, with and without a search outstanding.
// Every decoded field must come from bytes that were received, in the family that the
// first byte and the search rule give.

#include <algorithm>
#include <cstdint>
#include <optional>

#include "exchange/reply_dispatch.h"
#include "fuzz_check.h"

namespace {

using namespace exchange;
using fuzz::Byte;

// Independent of classify_reply: what the family must be.
ReplyFamily expected_family(ByteView rx, bool searching) {
    if (rx.empty()) return ReplyFamily::SearchResult;
    const bool well_formed = rx.back() == fuzz::crc_of_body(rx);
    const bool only_addresses = std::none_of(rx.begin(), rx.end(), [](Byte b) { return b > 200; });
    if (searching && !well_formed && only_addresses) return ReplyFamily::SearchResult;
    if (rx[0] == 0x3E && rx.size() >= 4) return ReplyFamily::Sensor;
    if (rx[0] == 0x31) return ReplyFamily::Display;
    return ReplyFamily::SearchResult;
}

std::uint32_t lsb32(ByteView rx, std::size_t i) {  // 0-based
    return std::uint32_t{rx[i]} | std::uint32_t{rx[i + 1]} << 8 | std::uint32_t{rx[i + 2]} << 16 |
           std::uint32_t{rx[i + 3]} << 24;
}

void check_dump(ByteView rx, Byte request_crc, const std::optional<std::string>& dump) {
    FUZZ_CHECK(dump.has_value() == (rx.size() < 30));
    if (!dump) return;
    std::string hex;
    for (Byte b : rx) hex += fuzz::hex(b) + ' ';
    FUZZ_CHECK(dump->starts_with(hex + fuzz::hex(fuzz::crc_of_body(rx)) + " \r\n\r\n"));
    FUZZ_CHECK(dump->ends_with(fuzz::hex(request_crc)));
    FUZZ_CHECK(fuzz::well_formed_utf8(*dump));
}

void check_sensor(ByteView rx, const Dispatch& d) {
    const Byte code = rx[2];
    FUZZ_CHECK(!d.full_poll || code == 0xF0);
    FUZZ_CHECK(!d.short_poll || code == 0x06);
    FUZZ_CHECK(!d.identity || code == 0xFC);
    FUZZ_CHECK(!d.set_mode || code == 0xF2);

    const bool full_poll_readable = rx.size() >= 21 && rx.back() == fuzz::crc_of_body(rx);
    FUZZ_CHECK(d.full_poll.has_value() == (code == 0xF0 && full_poll_readable));
    if (d.full_poll) {
        const FullPoll& p = *d.full_poll;
        FUZZ_CHECK(p.temperature == static_cast<std::int8_t>(rx[3]));
        FUZZ_CHECK(p.address == rx[1]);
        FUZZ_CHECK(p.level == (rx[4] | rx[5] << 8));
        FUZZ_CHECK(p.current == lsb32(rx, 6) && p.lower == lsb32(rx, 10) && p.upper == lsb32(rx, 14));
        FUZZ_CHECK(p.k == (rx[18] | rx[19] << 8));
        FUZZ_CHECK(p.mode.has_value() == (rx.size() >= 22));
        FUZZ_CHECK(!p.mode || *p.mode == rx[20]);
    }
    if (code == 0x06) {
        FUZZ_CHECK(d.short_poll.has_value());
        FUZZ_CHECK(d.short_poll->temperature == static_cast<std::int8_t>(rx[3]));  // a sensor reply has 4 bytes
        FUZZ_CHECK(d.short_poll->level.has_value() == (rx.size() >= 6));
        FUZZ_CHECK(!d.short_poll->level || *d.short_poll->level == (rx[4] | rx[5] << 8));
    }
    if (code == 0xFC) {
        FUZZ_CHECK(d.identity.has_value());
        FUZZ_CHECK(d.identity->serial.has_value() == (rx.size() >= 7));
        FUZZ_CHECK(!d.identity->serial || *d.identity->serial == lsb32(rx, 3));
        FUZZ_CHECK(d.identity->version.has_value() == (rx.size() == 10));
        if (d.identity->version) {
            std::string version = rx[8] ? std::to_string(rx[8]) : "";
            const std::string digits = std::to_string(rx[7]);
            for (std::size_t i = 0; i < 3; ++i) version += (i < digits.size() ? digits.substr(i, 1) : "") + ".";
            FUZZ_CHECK(*d.identity->version == version);
        }
    }
    if (code == 0xF2) FUZZ_CHECK(d.set_mode == rx[3]);
    FUZZ_CHECK(!d.table && !d.after_slot && !d.addresses);
}

void check(ByteView rx, Byte request_crc, bool searching) {
    const Dispatch d = dispatch_reply(rx, request_crc, searching);
    const ReplyFamily family = expected_family(rx, searching);
    FUZZ_CHECK(classify_reply(rx, searching) == family);
    FUZZ_CHECK(d.family == family);
    FUZZ_CHECK(d.code.has_value() == (rx.size() >= 3));
    FUZZ_CHECK(!d.code || *d.code == rx[2]);
    FUZZ_CHECK(exchange::reply_crc(rx) == fuzz::crc_of_body(rx));
    check_dump(rx, request_crc, d.dump);
    if (d.status) FUZZ_CHECK(fuzz::well_formed_utf8(*d.status));

    if (family == ReplyFamily::Sensor) {
        check_sensor(rx, d);
        return;
    }
    // Neither a display reply nor a search result carries sensor fields.
    FUZZ_CHECK(!d.full_poll && !d.short_poll && !d.identity && !d.set_mode && !d.unknown_sensor_code);
    if (family == ReplyFamily::Display) {
        FUZZ_CHECK(!d.addresses);
        FUZZ_CHECK(!d.table || (d.code == 0xEE && d.after_slot));
        FUZZ_CHECK(!d.after_slot || d.code == 0xEE || d.code == 0xE0);
        FUZZ_CHECK(d.code || !d.status);
    } else {
        FUZZ_CHECK(!d.table && !d.after_slot && !d.status);
        FUZZ_CHECK(d.addresses.has_value() == (rx.size() < 20));
        FUZZ_CHECK(!d.addresses || std::equal(d.addresses->begin(), d.addresses->end(), rx.begin(), rx.end()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ByteView rx(data, size);
    // The request CRC only reaches the dump; vary it with the input.
    const Byte request_crc = size ? static_cast<Byte>(data[0] ^ size) : Byte{0x6C};
    check(rx, request_crc, false);
    check(rx, request_crc, true);
    return 0;
}
