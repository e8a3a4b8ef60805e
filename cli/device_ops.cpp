#include "device_ops.h"

#include <QCoreApplication>

#include "calibration/table_compare.h"
#include "language/language.h"
#include "network/search.h"
#include "protocol/commands.h"
#include "protocol/hex.h"
#include "protocol/requests.h"
#include "wording.h"

namespace cli {

using namespace protocol;

namespace {

constexpr std::size_t full_poll_length = 21;  // the mode byte makes it 22
constexpr std::size_t identity_length = 8;    // the version bytes make it 10

ReplyShape from_display(std::vector<Byte> codes, std::size_t min_length = 4) {
    return {display_reply_start, std::move(codes), min_length};
}

ReplyShape from_sensor(Byte code, std::size_t min_length = 4) { return {sensor_reply_start, {code}, min_length}; }

}  // namespace

std::string DeviceOps::port_gone_message() {
    return QCoreApplication::translate("CliDeviceOps", "порт пропал: его устройство отключено (вынут адаптер?)").toStdString();
}

std::string DeviceOps::failure_text(const exchange::RequestFailure& failure) {
    if (failure.port_gone)
        return worded(QCoreApplication::translate("CliDeviceOps", "порт пропал; %1 не отправлен"), {failure.asked});
    const std::string problem = language::worded(failure.last_problem).toStdString();
    const std::string last = failure.last_answer.empty() ? problem : failure.last_answer + " (" + problem + ")";
    return worded(QCoreApplication::translate("CliDeviceOps", "нет исправного ответа на %1 (попыток: %2); последнее: %3"),
                  {failure.asked, whole(failure.attempts), last});
}

std::string slot_name(std::size_t slot) { return "Sensor " + std::to_string(slot + 1); }

Outcome<Nothing> DeviceOps::confirmed(const Bytes& request, Byte confirmation, const std::string& refused) {
    const auto answer = ask(request, from_display({confirmation, cmd_bad_password}));
    if (const auto* failed = std::get_if<Failed>(&answer)) return *failed;
    if (std::get<Bytes>(answer)[2] == cmd_bad_password)
        return Failed{Status::failed, worded(QCoreApplication::translate("CliDeviceOps", "%1 (ответ блока: %2)"), {refused, hex_dump(std::get<Bytes>(answer))})};
    return Nothing{};
}

Outcome<Nothing> DeviceOps::enter_password(std::uint32_t password) {
    return confirmed(password_request(cmd_enter_password, password), cmd_enter_password,
                     QCoreApplication::translate("CliDeviceOps", "блок отклонил пароль: неверный пароль").toStdString());
}

Outcome<Nothing> DeviceOps::set_password(std::uint32_t password) {
    return confirmed(password_request(cmd_set_password, password), cmd_set_password,
                     QCoreApplication::translate("CliDeviceOps", "блок отклонил новый пароль").toStdString());
}

Outcome<Nothing> DeviceOps::set_display_mode(Byte mode) {
    return confirmed(display_mode_request(mode), cmd_display_mode, QCoreApplication::translate("CliDeviceOps", "блок отклонил режим индикации").toStdString());
}

Outcome<SlotRead> DeviceOps::read_table(std::size_t slot) {
    ReplyShape table = from_display({cmd_read_table}, calibration::table_frame_length);
    table.length = calibration::table_frame_length;  // a whole table ends the read at once
    const auto answer = ask(calibration::build_read_table(static_cast<Byte>(slot)), table);
    if (const auto* failed = std::get_if<Failed>(&answer)) return *failed;
    // The shape check guarantees every field: the whole table, the mode byte and the CRC.
    const auto reply = calibration::decode_table_reply(std::get<Bytes>(answer));
    SlotRead read;
    read.table.net = *reply.net;
    read.table.status = *reply.status;
    std::copy(reply.values.begin(), reply.values.end(), read.table.values.begin());
    std::copy(reply.litres.begin(), reply.litres.end(), read.table.litres.begin());
    read.display_mode = *reply.mode;
    return read;
}

Outcome<Nothing> DeviceOps::write_table(std::size_t slot, const calibration::CalibrationTable& table) {
    return confirmed(calibration::build_write_table(static_cast<Byte>(slot), table), cmd_table_written,
                     worded(QCoreApplication::translate("CliDeviceOps", "блок отклонил таблицу ячейки %1: неверный пароль или таблицы заблокированы "
                               "(предъявите пароль параметром --password)"),
                            {slot_name(slot)}));
}

Outcome<Nothing> DeviceOps::write_and_verify(std::size_t slot, const calibration::CalibrationTable& table) {
    if (auto written = write_table(slot, table); std::holds_alternative<Failed>(written)) return written;
    const auto read = read_table(slot);
    if (const auto* failed = std::get_if<Failed>(&read))
        return Failed{failed->status,
                      worded(QCoreApplication::translate("CliDeviceOps", "%1: блок подтвердил запись, но таблица не прочитана обратно и не сверена: %2"),
                             {slot_name(slot), failed->message})};
    const auto differences = calibration::table_differences(table, std::get<SlotRead>(read).table);
    if (differences.empty()) return Nothing{};
    std::string message = worded(QCoreApplication::translate("CliDeviceOps", "%1: прочитанная обратно таблица отличается от записанной:"), {slot_name(slot)});
    for (const auto& difference : differences) message += "\n  " + language::worded(calibration::difference_text(difference)).toStdString();
    return Failed{Status::differed, message};
}

Outcome<std::vector<Byte>> DeviceOps::search() {
    // Every byte of the answer is the address of one sensor: no frame, no CRC. An answer
    // is taken when it is short enough to be a list and every byte can be an address.
    const Bytes request(network::cmd_search.begin(), network::cmd_search.end());
    const auto answer = ask(request, exchange::AnswerCheck([](ByteView rx) -> std::optional<Text> {
        if (rx.empty()) return Text{"CliDeviceOps", QT_TRANSLATE_NOOP("CliDeviceOps", "ни один датчик не ответил")};
        const auto addresses = network::search_addresses(rx);
        if (!addresses)
            return Text{"CliDeviceOps", QT_TRANSLATE_NOOP("CliDeviceOps", "байтов: %1 — слишком много для списка адресов"),
                        {static_cast<long long>(rx.size())}};
        for (Byte a : *addresses)
            if (a > max_sensor_address)
                return Text{"CliDeviceOps", QT_TRANSLATE_NOOP("CliDeviceOps", "байт %1 не может быть адресом датчика"),
                            {static_cast<long long>(a)}};
        return std::nullopt;
    }));
    if (const auto* failed = std::get_if<Failed>(&answer)) return *failed;
    return *network::search_addresses(std::get<Bytes>(answer));
}

Outcome<exchange::Identity> DeviceOps::identity(Byte address) {
    const auto answer = ask(sensor_request(address, cmd_read_sn), from_sensor(cmd_read_sn, identity_length));
    if (const auto* failed = std::get_if<Failed>(&answer)) return *failed;
    return *exchange::dispatch_reply(std::get<Bytes>(answer), 0).identity;
}

Outcome<exchange::FullPoll> DeviceOps::poll(Byte address) {
    const auto answer = ask(sensor_request(address, cmd_poll_full), from_sensor(cmd_poll_full, full_poll_length));
    if (const auto* failed = std::get_if<Failed>(&answer)) return *failed;
    return *exchange::dispatch_reply(std::get<Bytes>(answer), 0).full_poll;
}

Outcome<Bytes> DeviceOps::sensor_command(const Bytes& request, std::size_t min_length) {
    return ask(request, from_sensor(request[2], min_length));
}

Outcome<Nothing> DeviceOps::set_net(Byte address, Byte net) {
    const Bytes request = set_net_request(address, net);
    std::string last;
    for (int attempt = 0; attempt <= line_.retries(); ++attempt) {
        auto answer = line_.ask(request, from_sensor(cmd_set_net), 0);
        if (std::holds_alternative<Bytes>(answer)) return Nothing{};
        last = failure_text(std::get<exchange::RequestFailure>(answer));
        const auto moved = line_.ask(sensor_request(net, cmd_read_sn), from_sensor(cmd_read_sn, identity_length), 0);
        if (std::holds_alternative<Bytes>(moved)) return Nothing{};
    }
    if (port_gone()) return Failed{Status::failed, port_gone_message()};
    return Failed{Status::failed, worded(QCoreApplication::translate("CliDeviceOps", "%1; по номеру %2 датчик тоже не отвечает"), {last, whole(net)})};
}

}  // namespace cli
