#pragma once
// CRC-8/MAXIM (Dallas 1-Wire): reflected polynomial 0x8C, initial 0, no final XOR.
// Every frame on the line ends in this byte, computed over all bytes before it.

#include "bytes.h"

namespace protocol {

// One step without a 256-entry table: each set bit of (data XOR cr) selects the
// table entry of a single bit, and the entries are XORed together.
constexpr Byte crc_step(Byte data, Byte cr) {
    constexpr Byte bit_entry[8] = {0x5E, 0xBC, 0x61, 0xC2, 0x9D, 0x23, 0x46, 0x8C};
    const Byte x = data ^ cr;
    Byte result = 0;
    for (int i = 0; i < 8; ++i)
        if (x & (1u << i)) result ^= bit_entry[i];
    return result;
}

// The step as the builders use it: folds `data` into `cr` and returns the new value.
inline Byte crc(Byte data, Byte& cr) { return cr = crc_step(data, cr); }

constexpr Byte crc8(ByteView bytes) {
    Byte cr = 0;
    for (Byte b : bytes) cr = crc_step(b, cr);
    return cr;
}

// Appends the CRC of everything in `wrs` (an empty string gets the one-byte frame 00).
void Control_summ(Bytes& wrs);

// True when the last byte is the CRC of the bytes before it. Empty input is never well formed.
constexpr bool crc_ok(ByteView frame) {
    return !frame.empty() && crc8(frame.first(frame.size() - 1)) == frame.back();
}

}  // namespace protocol
