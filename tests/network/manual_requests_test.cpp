#include <gtest/gtest.h>

#include "network/manual_requests.h"

using namespace network;
using protocol::append;
using protocol::Bytes;

TEST(ManualRequests, ValueRequestBetweenTwoQueries) {
    const Bytes q{0x31, 0xFB, 0x32, 0x06, 0x00, 0x97};
    const Bytes value0{0x31, 0x01, 0x23, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                       0x05, 0x00, 0x00, 0x30, 0x39, 0x07, 0x90};
    Bytes expected = q;
    append(expected, value0);
    append(expected, q);
    EXPECT_EQ(ext_value_requests(0), expected);

    const auto value_part = [](std::uint16_t n) {
        const Bytes all = ext_value_requests(n);
        EXPECT_EQ(all.size(), 29u);
        return Bytes(all.begin() + 6, all.begin() + 23);
    };
    const Bytes one = value_part(1);
    EXPECT_EQ((Bytes{one.begin() + 3, one.begin() + 7}), (Bytes{0xFC, 0x03, 0x00, 0x00}));
    EXPECT_EQ(one.back(), 0x4E);
    const Bytes top = value_part(9999);
    EXPECT_EQ((Bytes{top.begin() + 3, top.begin() + 7}), (Bytes{0xAC, 0x92, 0x98, 0x00}));
    EXPECT_EQ(top.back(), 0xFA);
}
