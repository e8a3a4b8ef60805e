#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include <QCoreApplication>

#include "exchange/reply_dispatch.h"
#include "language/language.h"
#include "protocol/commands.h"
#include "support/framed.h"

using namespace exchange;
using namespace protocol;

namespace {

// 3E 05 F0, temperature, level 34 12, current 01 00 00 80, lower 10000, upper 100000,
// K 1000, the mode byte when given, CRC.
Bytes full_poll_reply(Byte temperature, std::optional<Byte> mode = std::nullopt) {
    Bytes body{0x3E, 0x05, cmd_poll_full, temperature, 0x34, 0x12, 0x01, 0x00, 0x00, 0x80,
               0x10, 0x27, 0x00, 0x00, 0xA0, 0x86, 0x01, 0x00, 0xE8, 0x03};
    if (mode) body.push_back(*mode);
    return framed(body);
}

Bytes identity_reply(Bytes data) {
    Bytes body{0x3E, 0x01, cmd_read_sn};
    append(body, data);
    return framed(body);
}

// The status line's Russian words, as the code holds them.
std::optional<std::string> status_words(const Dispatch& d) {
    return d.status ? std::optional<std::string>(d.status->source) : std::nullopt;
}

}  // namespace

TEST(ReplyDispatch, FamilyAndDump) {
    using F = ReplyFamily;
    const std::pair<Bytes, F> rows[] = {
        {{0x3E, 0x01, 0x06, 0x6C}, F::Sensor}, {{0x3E, 0x01, 0x06}, F::SearchResult}, {{0x31}, F::Display},
        {{0x01, 0x02, 0x05}, F::SearchResult}, {{}, F::SearchResult},
    };
    for (const auto& [rx, family] : rows) EXPECT_EQ(classify_reply(rx), family) << rx.size();

    EXPECT_EQ(reply_crc(Bytes{0x31, 0xFF, 0xDC}), 0xDC);
    EXPECT_EQ(reply_crc(Bytes{}), 0);
    // Bytes, the CRC of all but the last, the printable form, the request CRC.
    EXPECT_EQ(dispatch_reply(Bytes{0x31, 0x05, 0x0D, 0x5D}, 0x6C).dump, "31 5 D 5D 77 \r\n\r\n1@<CR><ACK>6C");
    EXPECT_TRUE(dispatch_reply(Bytes(29, 0x41), 0).dump.has_value());
    EXPECT_EQ(dispatch_reply(Bytes(30, 0x41), 0).dump, std::nullopt);
}

TEST(ReplyDispatch, FullPoll) {
    for (auto [byte, shown] : {std::pair<Byte, int>{0xFF, -1}, {0x19, 25}, {0x80, -128}, {0x7F, 127}}) {
        const auto poll = dispatch_reply(full_poll_reply(byte), 0).full_poll;
        ASSERT_TRUE(poll) << int(byte);
        EXPECT_EQ(poll->temperature, shown);
    }
    const Dispatch d = dispatch_reply(full_poll_reply(0x19, 0x03), 0);
    ASSERT_TRUE(d.full_poll);
    const FullPoll& p = *d.full_poll;
    EXPECT_EQ(std::tuple(p.address, p.level, p.current, p.lower, p.upper, p.k, p.mode),
              std::tuple(Byte{5}, std::uint16_t{4660}, 2147483649u, 10000u, 100000u, std::uint16_t{1000},
                         std::optional<Byte>{3}));
    EXPECT_EQ(status_words(d), std::nullopt);
    EXPECT_EQ(dispatch_reply(full_poll_reply(0x19), 0).full_poll->mode, std::nullopt);  // 21 bytes

    // A wrong CRC, or a right one on a reply too short for the fields: nothing applied, no message.
    for (Bytes bad : {full_poll_reply(0x19), full_poll_reply(0x19, 0x03)}) {
        bad.back() ^= 0x01;
        const Dispatch w = dispatch_reply(bad, 0);
        EXPECT_FALSE(w.full_poll || w.status || w.unknown_sensor_code);
    }
    EXPECT_EQ(dispatch_reply(framed({0x3E, 0x05, cmd_poll_full, 0x19, 0x34, 0x12}), 0).full_poll, std::nullopt);
}

TEST(ReplyDispatch, ShortPollAndIdentity) {
    const auto poll = dispatch_reply(framed({0x3E, 0x09, cmd_poll_short, 0xFF, 0x34, 0x12}), 0).short_poll;
    ASSERT_TRUE(poll);
    EXPECT_EQ(poll->address, 9);
    EXPECT_EQ(std::pair(poll->temperature, poll->level), std::pair(std::optional<int>{-1}, std::optional<std::uint16_t>{4660}));

    struct Row {
        Bytes rx;
        std::optional<std::uint32_t> serial;
        std::optional<std::string> version;
    };
    const Row rows[] = {
        {identity_reply({0x01, 0x00, 0x00, 0x00}), 1, std::nullopt},               // 8 bytes
        {identity_reply({0x78, 0x56, 0x34, 0x12, 152, 0}), 0x12345678, "1.5.2."},  // 10 bytes
        {identity_reply({1, 0, 0, 0, 7, 3}), 1, "37..."},
        {identity_reply({1, 0, 0, 0, 0, 0}), 1, "0..."},
        {identity_reply({1, 0, 0, 0, 25, 12}), 1, "122.5.."},
        {identity_reply({1, 0, 0, 0, 152, 0, 0}), 1, std::nullopt},  // 11 bytes
        {identity_reply({0x01, 0x02}), std::nullopt, std::nullopt},  // 6 bytes: no serial
    };
    for (const auto& row : rows) {
        const Dispatch d = dispatch_reply(row.rx, 0);
        ASSERT_TRUE(d.identity) << row.rx.size();
        EXPECT_EQ(std::pair(d.identity->serial, d.identity->version), std::pair(row.serial, row.version))
            << row.rx.size();
        EXPECT_EQ(status_words(d), std::nullopt);
    }
}

TEST(ReplyDispatch, StatusLinesByPrefixAndCode) {
    struct Row {
        Byte prefix, code;
        std::optional<std::string> status;
        bool unknown = false, table = false, after_slot = false;
    };
    const Row rows[] = {
        {0x3E, 0x06, " Датчик подключен."},           {0x3E, 0xFA, " Установлен нижний уровень."},
        {0x3E, 0xF2, " Установлен новый режим."},     {0x3E, 0xF5, " Установлен верхний уровень."},
        {0x3E, 0xFB, " Установлен сетевой номер."},   {0x3E, 0xF8, " Установлено кол. усреднение."},
        {0x3E, 0xF3, " Снято усреднение."},           {0x3E, 0xF6, "Установлен серийный номер."},
        {0x3E, 0xFD, "Изменена инверсия."},           {0x3E, 0x00, "Изменено состояние лампа/частота."},
        {0x3E, 0xFC, std::nullopt},                   {0x3E, 0xF0, std::nullopt},
        {0x3E, 0x42, " Непонятно что пришло! ", true}, {0x3E, 0xEE, " Непонятно что пришло! ", true},
        {0x31, 0xEE, ". Прочитана тарировочная таблица.", false, true, true},
        {0x31, 0xE0, ". C" "Таблица записана верно.", false, false, true},  // Latin C, then Cyrillic
        {0x31, 0xFD, " Неверный пароль."},            {0x31, 0xF8, " Пароль принят."},
        {0x31, 0xF2, " Установлен новый режим."},     {0x31, 0xF7, " Установлен новый пароль."},
        {0x31, 0x06, std::nullopt},                   {0x31, 0x00, std::nullopt},
    };
    for (const auto& row : rows) {
        // The sensor's address 7 plays no part.
        const Dispatch d = dispatch_reply(framed({row.prefix, 0x07, row.code, 0x05}), 0);
        SCOPED_TRACE(::testing::Message() << std::hex << int(row.prefix) << ' ' << int(row.code));
        EXPECT_EQ(status_words(d), row.status);
        EXPECT_EQ(std::tuple(d.unknown_sensor_code, d.table, d.after_slot), std::tuple(row.unknown, row.table, row.after_slot));
        // Only the sensor's mode reply carries a mode to show.
        EXPECT_EQ(d.set_mode, row.prefix == 0x3E && row.code == cmd_set_mode ? std::optional<Byte>{5} : std::nullopt);
    }
    // A display reply without a code: nothing to act on.
    for (const Bytes& rx : {Bytes{0x31}, Bytes{0x31, 0xEE}}) {
        const Dispatch d = dispatch_reply(rx, 0);
        EXPECT_FALSE(d.code || d.status || d.table || d.after_slot);
    }
}

// Under English the status line speaks English, its leading blank or ". " (which follows
// the slot's name) kept; every text has its translation, or Russian would show here.
TEST(ReplyDispatch, StatusLinesInEnglish) {
    auto& app = *QCoreApplication::instance();
    language::install(app, language::Language::english);
    const std::pair<Bytes, QString> rows[] = {
        {framed({0x3E, 0x07, cmd_poll_short, 0x05}), " Sensor connected."},
        {framed({0x31, 0x07, 0xE0, 0x05}), ". Table written correctly."},
        {framed({0x31, 0x07, 0xFD, 0x05}), " Wrong password."},
    };
    for (const auto& [rx, english] : rows) EXPECT_EQ(language::worded(*dispatch_reply(rx, 0).status), english);
    language::install(app, language::Language::russian);
}

TEST(ReplyDispatch, SearchResults) {
    EXPECT_EQ(dispatch_reply(Bytes{0x01, 0x02, 0x05}, 0).addresses, (Bytes{1, 2, 5}));
    EXPECT_EQ(dispatch_reply(Bytes{0x3E, 0x01, 0x06}, 0).addresses, (Bytes{0x3E, 0x01, 0x06}));
    Bytes list(19, 0x07);
    EXPECT_EQ(dispatch_reply(list, 0).addresses, list);
    list.push_back(0x08);
    EXPECT_EQ(dispatch_reply(list, 0).addresses, std::nullopt);
    // With no search outstanding, a list that starts like a device reply is taken as one.
    EXPECT_EQ(dispatch_reply(Bytes{0x31, 0x02, 0x05}, 0).addresses, std::nullopt);
    EXPECT_EQ(dispatch_reply(Bytes{0x3E, 0x02, 0x05, 0x07}, 0).addresses, std::nullopt);
}

TEST(ReplyDispatch, WhileSearchingAListFromAddress49Or62IsTheResult) {
    const bool searching = true;
    EXPECT_EQ(dispatch_reply(Bytes{0x31, 0x02, 0x05}, 0, searching).addresses, (Bytes{0x31, 0x02, 0x05}));
    EXPECT_EQ(dispatch_reply(Bytes{0x3E, 0x02, 0x05, 0x07}, 0, searching).addresses, (Bytes{0x3E, 0x02, 0x05, 0x07}));
    EXPECT_EQ(dispatch_reply(Bytes{0x31}, 0, searching).addresses, (Bytes{0x31}));
    // Well-formed replies stay replies, and so do strings holding a byte above 200.
    const Bytes table_written = framed({0x31, 0xDE, cmd_table_written});
    EXPECT_EQ(dispatch_reply(table_written, 0, searching).family, ReplyFamily::Display);
    EXPECT_EQ(dispatch_reply(full_poll_reply(0x19, 0x03), 0, searching).family, ReplyFamily::Sensor);
    EXPECT_EQ(dispatch_reply(Bytes{0x31, 0xDE, 0xE0, 0x00}, 0, searching).family, ReplyFamily::Display);
}

TEST(ReplyDispatch, ShortRepliesAreNeverReadPastTheirEnd) {
    // Every prefix of each reply, as cut and with a fresh CRC, in a buffer of its exact
    // size: the address sanitizer reports any read beyond it.
    const Bytes replies[] = {
        full_poll_reply(0x19, 0x03),
        framed({0x3E, 0x01, cmd_poll_short, 0x19, 0x34, 0x12}),
        identity_reply({0x01, 0x00, 0x00, 0x00, 152, 0}),
        framed({0x3E, 0x01, cmd_set_mode, 0x05}),
        framed({0x31, 0xDE, cmd_read_table, 0x00, 0x01, 0x02}),
    };
    for (const Bytes& reply : replies)
        for (std::size_t n = 0; n <= reply.size(); ++n) {
            const Bytes prefix(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(n));
            for (const Bytes& rx : {prefix, framed(prefix)}) {
                const Dispatch d = dispatch_reply(rx, 0);
                EXPECT_EQ(d.code.has_value(), rx.size() >= 3);
                EXPECT_FALSE(d.full_poll && rx.size() < 21);
                if (d.short_poll) { EXPECT_EQ(d.short_poll->level.has_value(), rx.size() >= 6); }
                if (d.identity) { EXPECT_EQ(d.identity->serial.has_value(), rx.size() >= 7); }
            }
        }
}
