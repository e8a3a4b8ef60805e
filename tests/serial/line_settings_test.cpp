#include <gtest/gtest.h>

#include <utility>

#include "serial/line_settings.h"
#include "serial/port_name.h"
#include "serial/write_pieces.h"

using namespace serial;

TEST(LineSettings, ModeCommandForms) {
    EXPECT_EQ(parse_line_settings("19200,n,8,1"), (LineSettings{19200, Parity::None, 8, StopBits::One}));
    EXPECT_EQ(parse_line_settings(" 9600 , E , 7 , 2 "), (LineSettings{9600, Parity::Even, 7, StopBits::Two}));
    EXPECT_EQ(parse_line_settings("4800,o,5,1.5"), (LineSettings{4800, Parity::Odd, 5, StopBits::OneAndHalf}));
    EXPECT_EQ(parse_line_settings("19,m,8,1"), (LineSettings{19200, Parity::Mark, 8, StopBits::One}));
    EXPECT_EQ(parse_line_settings("96,s"), (LineSettings{9600, Parity::Space, 8, StopBits::One}));
    EXPECT_EQ(parse_line_settings("115200"), (LineSettings{115200, Parity::None, 8, StopBits::One}));
}

TEST(LineSettings, UnparsableStrings) {
    for (const char* text : {"", "fast", "19200,x,8,1", "19200,n,9,1", "19200,n,4,1", "19200,n,8,3", "19200,n,8,1,p",
                             "0,n,8,1", "-9600,n,8,1", "19200;n;8;1", "19200,,8,1"})
        EXPECT_EQ(parse_line_settings(text), std::nullopt) << text;
}

TEST(PortName, ListedPortsMapToThePlatformAndTypedNamesPassThrough) {
    const std::pair<const char*, const char*> cases[] = {
#ifdef _WIN32
        {"COM1:", "COM1"}, {"COM9:", "COM9"}, {"com3", "COM3"}, {" COM4: ", "COM4"},
        {"COM10:", "\\\\.\\COM10"}, {"COM256", "\\\\.\\COM256"}, {"\\\\.\\COM12", "\\\\.\\COM12"},
        {"COM1x", "COM1x"}, {"COM01:", "COM01:"}, {"COM1000:", "COM1000:"},
#else
        {"COM1:", "/dev/ttyS0"}, {"COM9:", "/dev/ttyS8"}, {"com3:", "/dev/ttyS2"}, {"COM10:", "COM10:"},
        {"COM3", "COM3"},
#endif
        {"/dev/ttyUSB0", "/dev/ttyUSB0"}, {"  /dev/pts/7 ", "/dev/pts/7"}, {"COM0:", "COM0:"}, {"COM", "COM"},
    };
    for (const auto& [typed, device] : cases) EXPECT_EQ(device_for_port(typed), device) << typed;
}

TEST(WritePieces, SplitAt255Bytes) {
    auto sizes = [](std::size_t n) {
        const protocol::Bytes s(n, 0x55);
        std::vector<std::size_t> result;
        for (auto piece : write_pieces(s)) result.push_back(piece.size());
        return result;
    };
    EXPECT_EQ(sizes(0), std::vector<std::size_t>{});
    EXPECT_EQ(sizes(255), std::vector<std::size_t>{255});
    EXPECT_EQ(sizes(256), (std::vector<std::size_t>{255, 1}));
    EXPECT_EQ(sizes(600), (std::vector<std::size_t>{255, 255, 90}));
}
