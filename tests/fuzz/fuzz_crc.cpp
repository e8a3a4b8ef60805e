// The line's CRC on arbitrary bytes: appending it makes the frame check, and changing
// any one byte of the frame makes it fail.

#include <cstdint>

#include "fuzz_check.h"
#include "protocol/crc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace protocol;
    const ByteView input(data, size);
    FUZZ_CHECK(crc8(input) == fuzz::reference_crc(input));
    FUZZ_CHECK(crc_ok(input) == (size > 0 && data[size - 1] == fuzz::crc_of_body(input)));

    Byte stepped = 0;
    for (Byte b : input) crc(b, stepped);
    FUZZ_CHECK(stepped == crc8(input));

    Bytes frame(input.begin(), input.end());
    Control_summ(frame);
    FUZZ_CHECK(frame.size() == size + 1);
    FUZZ_CHECK(std::equal(input.begin(), input.end(), frame.begin()));
    FUZZ_CHECK(crc_ok(frame));
    FUZZ_CHECK(crc8(frame) == 0);

    // Every single-byte change is caught; the change itself comes from the input.
    const std::size_t positions = std::min<std::size_t>(frame.size(), 64);
    for (std::size_t i = 0; i < positions; ++i) {
        const std::size_t at = (i * 7919 + size) % frame.size();
        const Byte delta = static_cast<Byte>(size ? (data[i % size] | 1) : 0x01) ^ static_cast<Byte>(i << 1);
        if (delta == 0) continue;
        frame[at] ^= delta;
        FUZZ_CHECK(!crc_ok(frame));
        frame[at] ^= delta;
    }
    FUZZ_CHECK(crc_ok(frame));
    return 0;
}
