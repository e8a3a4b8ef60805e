#pragma once
// The device commands as a program that waits for each answer uses them: every request
// goes out through a checked request-reply exchange, and each answer is taken only when
// it is the reply the request asks for. A refusal (a wrong password, a locked table) is
// a failure of its own, told apart from a missing answer.

#include <cstdint>
#include <vector>

#include "calibration/table_frame.h"
#include "exchange/reply_dispatch.h"
#include "exchange/request_reply.h"
#include "outcome.h"
#include "serial/line.h"

namespace cli {

using protocol::Byte;
using protocol::Bytes;

// The console's name of a slot: slot 0 is "Sensor 1".
std::string slot_name(std::size_t slot);

struct SlotRead {
    calibration::CalibrationTable table;
    Byte display_mode = 0;  // the unit's mode byte, sent with every table
};

class DeviceOps {
public:
    // `port`, when given, is the line under `line`, looked at after a failure.
    explicit DeviceOps(exchange::RequestReply& line, const serial::Line* port = nullptr) : line_(line), port_(port) {}

    // The port let go of its device (an adapter pulled out, the line closed): nothing more
    // can be asked, and a failure says so.
    bool port_gone() const { return port_ && port_->gone(); }

    // Display unit.
    Outcome<Nothing> enter_password(std::uint32_t password);
    Outcome<Nothing> set_password(std::uint32_t password);
    Outcome<Nothing> set_display_mode(Byte mode);
    Outcome<SlotRead> read_table(std::size_t slot);
    Outcome<Nothing> write_table(std::size_t slot, const calibration::CalibrationTable& table);
    // Written, read back and compared; a difference fails with Status::differed and lists
    // every field that differs.
    Outcome<Nothing> write_and_verify(std::size_t slot, const calibration::CalibrationTable& table);

    // Sensors.
    Outcome<std::vector<Byte>> search();
    Outcome<exchange::Identity> identity(Byte address);
    Outcome<exchange::FullPoll> poll(Byte address);
    // A set command (set-low, set-high, set-net, set-serial, set-mode): `request` goes to
    // the sensor and its answer, at least `min_length` bytes, must repeat the request's
    // code. Returns the answer.
    Outcome<Bytes> sensor_command(const Bytes& request, std::size_t min_length = 4);
    // A new network number. When the answer is lost the sensor may have moved already:
    // before the frame goes out again, the new number is asked for the sensor's identity,
    // and an answer there is success.
    Outcome<Nothing> set_net(Byte address, Byte net);

    // Why a request got no usable answer, in the program's language.
    static std::string failure_text(const exchange::RequestFailure& failure);

private:
    // The answer that passes `check` (a ReplyShape or an AnswerCheck), or the failure.
    template <typename Check>
    Outcome<Bytes> ask(const Bytes& request, const Check& check) {
        auto answer = line_.ask(request, check);
        if (auto* failure = std::get_if<exchange::RequestFailure>(&answer))
            return Failed{Status::failed, port_gone() ? port_gone_message() : failure_text(*failure)};
        return std::get<Bytes>(std::move(answer));
    }
    // A display-unit command that the unit confirms with `confirmation` or refuses.
    Outcome<Nothing> confirmed(const Bytes& request, Byte confirmation, const std::string& refused);

    static std::string port_gone_message();

    exchange::RequestReply& line_;
    const serial::Line* port_;
};

}  // namespace cli
