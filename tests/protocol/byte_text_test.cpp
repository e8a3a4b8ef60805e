#include <gtest/gtest.h>

#include <string>

#include "protocol/byte_text.h"

using protocol::Byte;
using protocol::Bytes;
using protocol::CleanStr;
using protocol::hex_line;

TEST(ByteText, FramesAsShown) {
    struct Row {
        Bytes frame;
        std::string hex;
        std::string clean;
    };
    const Row rows[] = {
        {{0x31, 0x05, 0x0D, 0x5D}, "31 5 D 5D ", "1@<CR><ACK>"},
        {{}, "", ""},
        {{0x00}, "0 ", "@"},
        {{0x20}, "20 ", "@"},
        {{0x2F}, "2F ", "@"},
        {{0x30}, "30 ", "0"},
        {{0x0A, 0x0D}, "A D ", "<LF><CR>"},
        // ] and [ are recognised before the range test, wherever they stand (here as the CRC).
        {{0x5B, 0x41, 0x5D}, "5B 41 5D ", "<NAK>A<ACK>"},
        {{0x7E, 0x7F}, "7E 7F ", "~\x7F"},  // every byte from 0x30 up stands for itself
        {{0x3E, 0xDE, 0xEE, 0x02}, "3E DE EE 2 ", ">Юо@"},
        // windows-1251 above the letters; 0x98 is undefined there.
        {{0x80, 0x88, 0x98, 0xA0, 0xA8, 0xB8, 0xB9}, "80 88 98 A0 A8 B8 B9 ", "Ђ€\uFFFD\u00A0Ёё№"},
    };
    for (const auto& [frame, hex, clean] : rows) {
        EXPECT_EQ(hex_line(frame), hex);
        EXPECT_EQ(CleanStr(frame), clean) << hex;
    }

    Bytes letters;
    for (int b = 0xC0; b <= 0xFF; ++b) letters.push_back(Byte(b));
    EXPECT_EQ(CleanStr(letters), "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя");

    // The Western code page of an English system: its own signs below 0xA0 (five codes
    // undefined), Latin-1 from there up.
    const Bytes western{0x80, 0x81, 0x8A, 0x9F, 0xA0, 0xDE, 0xEE, 0xFF};
    EXPECT_EQ(CleanStr(western, protocol::CodePage::windows1252), "€\uFFFDŠŸ\u00A0Þîÿ");
}

TEST(ByteText, LongFramesAreShownWhole) {
    Bytes frame(300);
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = Byte('A' + i % 26);
    const std::string hex = hex_line(frame);
    // No 8-bit position counter: all 300 bytes, the ones past 255 included.
    EXPECT_EQ(hex.size(), 300u * 3);
    EXPECT_EQ(hex.substr(hex.size() - 9), "4C 4D 4E ");  // bytes 297..299: L M N
    EXPECT_EQ(CleanStr(frame).size(), 300u);
}
