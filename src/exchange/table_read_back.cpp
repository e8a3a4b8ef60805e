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

bool is_table_read(ByteView frame) {
    return frame.size() >= 3 && frame[0] == protocol::display_frame_start && frame[2] == protocol::cmd_read_table;
}

}  // namespace

std::optional<protocol::Bytes> TableReadBack::take_read_back() {
    // Another table read's answer is still to come: the read-back waits for it, so that the
    // two tables cannot be taken one for the other.
    if (!owed_ || other_read_late_.has_value()) return std::nullopt;
    taken_ = std::exchange(owed_, std::nullopt);
    return calibration::build_read_table(taken_->slot);
}

void TableReadBack::cancel() {
    owed_.reset();
    taken_.reset();
}

void TableReadBack::read_by_operator(Byte slot) {
    if (owed_ && owed_->slot == slot) owed_.reset();
    if (taken_ && taken_->slot == slot) taken_.reset();
}

TableReadBack::Outcome TableReadBack::received(ByteView rx) {
    Outcome outcome;
    if (other_read_late_.has_value()) {
        if (rx.empty() && !*other_read_late_) other_read_late_ = true;
        else other_read_late_.reset();  // answered, or given up a tick late
    }
    if (write_sent_) {
        if (confirms_write(rx)) {
            owed_ = write_sent_->written;
            outcome.kind = Outcome::Kind::confirmed;
            outcome.slot = owed_->slot;
            write_sent_.reset();
        } else if (rx.empty() && !write_sent_->late) {
            write_sent_->late = true;
        } else {
            write_sent_.reset();  // refused, or no answer
        }
    }
    if (!read_back_sent_) return outcome;
    if (rx.empty() && !read_back_sent_->late && !read_back_ambiguous_) {
        read_back_sent_->late = true;
        return outcome;
    }
    const Written read = std::exchange(read_back_sent_, std::nullopt)->written;
    const bool ambiguous = std::exchange(read_back_ambiguous_, false);
    outcome.slot = read.slot;
    // A table with a bad CRC or cut short proves nothing either way.
    if (ambiguous || protocol::reply_problem(rx, table_reply)) {
        outcome.kind = Outcome::Kind::unchecked;
        return outcome;
    }
    const calibration::TableReply reply = calibration::decode_table_reply(rx);
    calibration::CalibrationTable held;
    held.net = *reply.net;
    held.status = *reply.status;
    std::copy(reply.values.begin(), reply.values.end(), held.values.begin());
    std::copy(reply.litres.begin(), reply.litres.end(), held.litres.begin());
    outcome.differences = calibration::table_differences(read.table, held);
    outcome.kind = outcome.differences.empty() ? Outcome::Kind::same : Outcome::Kind::different;
    return outcome;
}

void TableReadBack::sent(ByteView frame) {
    if (const auto taken = std::exchange(taken_, std::nullopt)) {
        read_back_sent_ = Awaited{*taken};
        return;
    }
    if (is_table_read(frame)) {
        if (read_back_sent_) read_back_ambiguous_ = true;
        other_read_late_ = false;
    }
    if (const auto write = calibration::parse_write_table(frame)) write_sent_ = Awaited{{write->slot, write->table}};
}

void TableReadBack::dropped() {
    if (taken_) owed_ = taken_;
    else if (read_back_sent_) owed_ = read_back_sent_->written;
    taken_.reset();
    read_back_sent_.reset();
    read_back_ambiguous_ = false;
    other_read_late_.reset();
    write_sent_.reset();  // its confirmation is lost with the bytes read
}

}  // namespace exchange
