#pragma once
// Shared by the fuzz targets: a property check that aborts (so libFuzzer keeps the input
// as a finding), an independent CRC-8/MAXIM, hexadecimal as the traffic box writes it,
// and a UTF-8 well-formedness check.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "protocol/bytes.h"
#include "protocol/translatable.h"

#define FUZZ_CHECK(cond)                                                                    \
    do {                                                                                    \
        if (!(cond)) {                                                                      \
            std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                   \
        }                                                                                   \
    } while (0)

namespace fuzz {

using protocol::Byte;
using protocol::ByteView;

// The shift-register form, so that the targets do not judge the CRC by itself.
inline Byte reference_crc(ByteView bytes) {
    Byte cr = 0;
    for (Byte b : bytes) {
        cr ^= b;
        for (int i = 0; i < 8; ++i) cr = (cr & 1) ? static_cast<Byte>((cr >> 1) ^ 0x8C) : static_cast<Byte>(cr >> 1);
    }
    return cr;
}

// CRC over every byte but the last, 0 for nothing.
inline Byte crc_of_body(ByteView rx) { return rx.empty() ? Byte{0} : reference_crc(rx.first(rx.size() - 1)); }

// "0".."FF", upper case, no leading zero.
inline std::string hex(Byte b) {
    char text[3];
    std::snprintf(text, sizeof text, "%X", unsigned{b});
    return text;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
inline bool well_formed_utf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t len = 0;
        unsigned cp = 0;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; }
        else return false;
        if (i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += len;
    }
    return true;
}

// A text handed up for wording: its words and every name or typed text in it well formed,
// in a context, and an argument for every %1 … %9 its words hold (no bare "%2" shown).
inline bool well_formed_utf8(const protocol::Text& text) {
    if (!well_formed_utf8(std::string_view(text.source)) || text.context[0] == '\0') return false;
    for (const char* c = text.source; *c; ++c)
        if (c[0] == '%' && c[1] >= '1' && c[1] <= '9' && static_cast<std::size_t>(c[1] - '0') > text.args.size())
            return false;
    for (const auto& arg : text.args)
        if (const auto* words = std::get_if<std::string>(&arg); words && !well_formed_utf8(*words)) return false;
    return true;
}

}  // namespace fuzz
