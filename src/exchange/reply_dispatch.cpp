#include "reply_dispatch.h"

#include "network/search.h"
#include "protocol/byte_text.h"
#include "protocol/commands.h"
#include "protocol/crc.h"
#include "protocol/hex.h"

namespace exchange {

namespace {

using namespace protocol;

constexpr std::size_t dump_limit = 30;         // replies this long leave the sent frame in the box
constexpr std::size_t full_poll_min = 21;      // through K at 19-20 and the CRC
constexpr std::size_t full_poll_with_mode = 22;
constexpr std::size_t identity_with_serial = 7;
constexpr std::size_t identity_with_version = 10;

// A sensor code that no request of ours draws; the sensor reports a lamp/frequency change with it.
constexpr Byte code_lamp_frequency = 0x00;

// 1-based wire positions, as in the reply tables.
Byte at(ByteView rx, std::size_t pos) { return rx[pos - 1]; }
bool has(ByteView rx, std::size_t pos) { return rx.size() >= pos; }

// The status line's words, translated where they are shown.
Text status(const char* words) { return Text{"ReplyDispatch", words}; }

int signed_byte(Byte b) { return b < 0x80 ? int{b} : int{b} - 0x100; }

std::uint16_t word_lsb(ByteView rx, std::size_t pos) {
    return static_cast<std::uint16_t>(at(rx, pos) | (at(rx, pos + 1) << 8));
}

std::uint32_t long_lsb(ByteView rx, std::size_t pos) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) value = (value << 8) | at(rx, pos + i);
    return value;
}

std::optional<FullPoll> decode_full_poll(ByteView rx) {
    if (rx.size() < full_poll_min || rx.back() != reply_crc(rx)) return std::nullopt;
    FullPoll poll;
    poll.temperature = signed_byte(at(rx, 4));
    poll.address = at(rx, 2);
    poll.level = word_lsb(rx, 5);
    poll.current = long_lsb(rx, 7);
    poll.lower = long_lsb(rx, 11);
    poll.upper = long_lsb(rx, 15);
    poll.k = word_lsb(rx, 19);
    if (rx.size() >= full_poll_with_mode) poll.mode = at(rx, 21);
    return poll;
}

ShortPoll decode_short_poll(ByteView rx) {
    ShortPoll poll;
    poll.address = at(rx, 2);  // a sensor reply has at least 4 bytes
    if (has(rx, 4)) poll.temperature = signed_byte(at(rx, 4));
    if (has(rx, 6)) poll.level = word_lsb(rx, 5);
    return poll;
}

Identity decode_identity(ByteView rx) {
    Identity id;
    if (rx.size() >= identity_with_serial) id.serial = long_lsb(rx, 4);
    if (rx.size() == identity_with_version) {
        std::string version;
        if (at(rx, 9) != 0) version = std::to_string(at(rx, 9));
        const std::string digits = std::to_string(at(rx, 8));
        for (std::size_t i = 0; i < 3; ++i) {
            if (i < digits.size()) version += digits[i];
            version += '.';
        }
        id.version = version;
    }
    return id;
}

void sensor_reply(ByteView rx, Byte code, Dispatch& d) {
    switch (code) {
    case cmd_read_sn: d.identity = decode_identity(rx); break;
    case cmd_poll_full: d.full_poll = decode_full_poll(rx); break;
    case cmd_poll_short:
        d.short_poll = decode_short_poll(rx);
        d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Датчик подключен."));
        break;
    case cmd_set_low: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Установлен нижний уровень.")); break;
    case cmd_set_mode:
        d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Установлен новый режим."));
        d.set_mode = at(rx, 4);  // a sensor reply has at least 4 bytes
        break;
    case cmd_set_high: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Установлен верхний уровень.")); break;
    case cmd_set_net: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Установлен сетевой номер.")); break;
    case cmd_set_avg: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Установлено кол. усреднение.")); break;
    case cmd_clear_avg: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Снято усреднение.")); break;
    case cmd_set_sn: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", "Установлен серийный номер.")); break;
    case cmd_invert: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", "Изменена инверсия.")); break;
    case code_lamp_frequency: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", "Изменено состояние лампа/частота.")); break;
    default:
        d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Непонятно что пришло! "));
        d.unknown_sensor_code = true;
        break;
    }
}

void display_reply(Byte code, Dispatch& d) {
    switch (code) {
    case cmd_read_table:
        d.table = true;
        d.after_slot = true;
        d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", ". Прочитана тарировочная таблица."));
        break;
    case cmd_table_written:
        d.after_slot = true;
        d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", ". CТаблица записана верно."));  // the C is the Latin capital letter
        break;
    case cmd_bad_password: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Неверный пароль.")); break;
    case cmd_enter_password: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Пароль принят.")); break;
    case cmd_display_mode: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Установлен новый режим.")); break;
    case cmd_set_password: d.status = status(QT_TRANSLATE_NOOP("ReplyDispatch", " Установлен новый пароль.")); break;
    default: break;
    }
}

}  // namespace

ReplyFamily classify_reply(ByteView rx, bool search_outstanding) {
    if (rx.empty()) return ReplyFamily::SearchResult;
    if (search_outstanding && network::looks_like_address_list(rx)) return ReplyFamily::SearchResult;
    if (rx.front() == sensor_reply_start && rx.size() >= 4) return ReplyFamily::Sensor;
    if (rx.front() == display_reply_start) return ReplyFamily::Display;
    return ReplyFamily::SearchResult;
}

Byte reply_crc(ByteView rx) { return rx.empty() ? Byte{0} : crc8(rx.first(rx.size() - 1)); }

std::optional<std::string> reply_dump(ByteView rx, Byte request_crc, protocol::CodePage high_bytes) {
    if (rx.size() >= dump_limit) return std::nullopt;
    return protocol::hex_line(rx) + hex_byte(reply_crc(rx)) + " \r\n\r\n" + protocol::CleanStr(rx, high_bytes) +
           hex_byte(request_crc);
}

Dispatch dispatch_reply(ByteView rx, Byte request_crc, bool search_outstanding, protocol::CodePage high_bytes) {
    Dispatch d;
    d.dump = reply_dump(rx, request_crc, high_bytes);
    d.family = classify_reply(rx, search_outstanding);
    if (has(rx, 3)) d.code = at(rx, 3);

    switch (d.family) {
    case ReplyFamily::Sensor: sensor_reply(rx, at(rx, 3), d); break;
    case ReplyFamily::Display:
        if (d.code) display_reply(*d.code, d);  // fewer than 3 bytes: no code, nothing to do
        break;
    case ReplyFamily::SearchResult:
        d.addresses = network::search_addresses(rx);
        break;
    }
    return d;
}

}  // namespace exchange
