#include "table_read_back.h"

#include <algorithm>
#include <utility>

#include "protocol/commands.h"
#include "protocol/reply_check.h"

namespace exchange {

namespace {

using protocol::Byte;
using protocol::ByteView;

const protocol::ReplyShape table_reply{protocol::display_reply_start,
                                       {protocol::cmd_read_table},
                                       calibration::table_frame_length,
                                       calibration::table_frame_length};

// As dispatch tells the unit's confirmation: by its start and its code.
bool confirms_write(ByteView rx) {
    return rx.size() >= 3 && rx[0] == protocol::display_reply_start && rx[2] == protocol::cmd_table_written;
}

}  // namespace

std::optional<protocol::Bytes> TableReadBack::take_read_back() {
    if (!owed_) return std::nullopt;
    taken_ = std::exchange(owed_, std::nullopt);
    return calibration::build_read_table(taken_->slot);
}

void TableReadBack::cancel() {
    owed_.reset();
    taken_.reset();
}

TableReadBack::Outcome TableReadBack::received(ByteView rx) {
    Outcome outcome;
    if (const auto write = std::exchange(write_sent_, std::nullopt); write && confirms_write(rx)) {
        owed_ = write;
        outcome.kind = Outcome::Kind::confirmed;
        outcome.slot = write->slot;
    }
    if (const auto read = std::exchange(read_back_sent_, std::nullopt)) {
        outcome.slot = read->slot;
        // A table with a bad CRC or cut short proves nothing either way.
        if (protocol::reply_problem(rx, table_reply)) {
            outcome.kind = Outcome::Kind::unchecked;
            return outcome;
        }
        const calibration::TableReply reply = calibration::decode_table_reply(rx);
        calibration::CalibrationTable held;
        held.net = *reply.net;
        held.status = *reply.status;
        std::copy(reply.values.begin(), reply.values.end(), held.values.begin());
        std::copy(reply.litres.begin(), reply.litres.end(), held.litres.begin());
        outcome.differences = calibration::table_differences(read->table, held);
        outcome.kind = outcome.differences.empty() ? Outcome::Kind::same : Outcome::Kind::different;
    }
    return outcome;
}

void TableReadBack::sent(ByteView frame) {
    if (const auto taken = std::exchange(taken_, std::nullopt)) {
        read_back_sent_ = taken;
        return;
    }
    if (const auto write = calibration::parse_write_table(frame)) write_sent_ = Written{write->slot, write->table};
}

void TableReadBack::dropped() {
    if (const auto read = taken_ ? taken_ : read_back_sent_) owed_ = read;
    taken_.reset();
    read_back_sent_.reset();
    write_sent_.reset();  // its confirmation is lost with the bytes read
}

}  // namespace exchange
