#include "byte_text.h"

#include <array>

#include "hex.h"

namespace protocol {

namespace {

// Bytes 0x80..0xFF of windows-1251 as Unicode code points. 0x98 is the one code the
// page leaves undefined; it shows as U+FFFD, the replacement character, so the byte
// still takes one visible place in the line.
constexpr std::array<char16_t, 128> cp1251_high = {
    // 0x80
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    // 0x90
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    // 0xA0
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    // 0xB0
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    // 0xC0..0xFF: А..я in alphabetical order
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Bytes 0x80..0x9F of windows-1252; from 0xA0 up its bytes are the code points of the
// same number. Its five undefined codes show as U+FFFD, as in windows-1251.
constexpr std::array<char16_t, 32> cp1252_controls = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

char16_t high_byte(Byte b, CodePage page) {
    if (page == CodePage::windows1251) return cp1251_high[b - 0x80];
    return b < 0xA0 ? cp1252_controls[b - 0x80] : char16_t{b};
}

// Every code point of the tables lies below U+10000: two or three UTF-8 bytes.
void append_utf8(std::string& to, char16_t cp) {
    if (cp < 0x800) {
        to += static_cast<char>(0xC0 | (cp >> 6));
    } else {
        to += static_cast<char>(0xE0 | (cp >> 12));
        to += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    to += static_cast<char>(0x80 | (cp & 0x3F));
}

constexpr Byte ack_shown = 0x5D;  // ']'
constexpr Byte nak_shown = 0x5B;  // '['
constexpr Byte first_printable = 0x30;

}  // namespace

std::string hex_line(ByteView frame) {
    std::string text;
    text.reserve(frame.size() * 3);
    for (Byte b : frame) {
        text += hex_byte(b);
        text += ' ';
    }
    return text;
}

std::string CleanStr(ByteView TextLine, CodePage high_bytes) {
    std::string text;
    for (Byte b : TextLine) {
        if (b == ack_shown)
            text += "<ACK>";
        else if (b == nak_shown)
            text += "<NAK>";
        else if (b >= 0x80)
            append_utf8(text, high_byte(b, high_bytes));
        else if (b >= first_printable)
            text += static_cast<char>(b);
        else if (b == '\r')
            text += "<CR>";
        else if (b == '\n')
            text += "<LF>";
        else
            text += '@';
    }
    return text;
}

std::string windows1251_to_utf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size() * 2);
    for (const char c : text) {
        const auto b = static_cast<Byte>(c);
        if (b < 0x80)
            utf8 += c;
        else
            append_utf8(utf8, cp1251_high[b - 0x80]);
    }
    return utf8;
}

}  // namespace protocol
