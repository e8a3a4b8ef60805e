#include "display_unit.h"

#include <limits>
#include <string>

#include "protocol/commands.h"
#include "protocol/hex.h"
#include "protocol/requests.h"
#include "reply.h"

namespace sim {

using namespace protocol;

namespace {

Bytes unit_reply(Byte code, std::initializer_list<Byte> data = {}) {
    return make_reply(display_reply_start, display_address, code, data);
}

// The slot as the console and trelvik-cli name it: byte 0 is "Sensor 1".
std::string slot_name(Byte slot) { return "Sensor " + std::to_string(slot + 1); }

}  // namespace

SlotTables default_tables() {
    SlotTables tables;
    for (std::size_t s = 0; s < slot_count; ++s) {
        auto& t = tables[s];
        t.net = static_cast<Byte>(s + 1);
        t.status = s < 5 ? calibration::slot_in_service : 0x00;
        for (std::size_t k = 0; k < calibration::table_points; ++k) {
            t.values[k] = static_cast<std::uint16_t>((k + 1) * (100 + 10 * s));
            t.litres[k] = static_cast<std::uint16_t>((k + 1) * (25 + 5 * s));
        }
    }
    return tables;
}

DisplayUnit::DisplayUnit(std::uint32_t password, bool lock_tables, bool bad_store)
    : password_(password), lock_tables_(lock_tables), bad_store_(bad_store) {}

std::optional<Bytes> DisplayUnit::answer(ByteView request, Notes& notes) {
    const Byte code = request[2];
    switch (code) {
    case cmd_read_table: {
        const Byte slot = request[3];
        if (slot >= slot_count) {
            notes.push_back("display: no " + slot_name(slot) + " (slot byte " + std::to_string(slot) + "), no answer");
            return std::nullopt;
        }
        return calibration::build_table_reply(tables_[slot], mode_);
    }
    case cmd_write_table: return write_table(request, notes);
    case cmd_display_mode:
        mode_ = request[3];
        notes.push_back(std::string("display: mode := ") + ((mode_ & protocol::display_passive) ? "passive" : "active") +
                        ((mode_ & protocol::display_virs) ? ", VIRS" : ""));
        return unit_reply(code, {mode_});
    case cmd_enter_password:
        unlocked_ = msb_first(request.subspan(3, 4)) == password_;
        notes.push_back(unlocked_ ? "display: password accepted, unlocked" : "display: wrong password, locked");
        return unit_reply(unlocked_ ? cmd_enter_password : cmd_bad_password);
    case cmd_set_password: {
        const std::uint32_t next = msb_first(request.subspan(3, 4));
        if (!unlocked_ || next > max_password) {
            notes.push_back(unlocked_ ? "display: new password out of range, refused"
                                      : "display: password change refused, present the password first");
            return unit_reply(cmd_bad_password);
        }
        password_ = next;
        notes.push_back("display: password changed to " + std::to_string(next));
        return unit_reply(cmd_set_password);
    }
    default:
        notes.push_back("display: does not answer command " + hex_dump(code));
        return std::nullopt;
    }
}

std::optional<Bytes> DisplayUnit::write_table(ByteView request, Notes& notes) {
    const auto write = calibration::parse_write_table(request);
    if (!write || write->slot >= slot_count) {
        notes.push_back("display: table write for a slot it does not have, no answer");
        return std::nullopt;
    }
    if (lock_tables_ && !unlocked_) {
        notes.push_back("display: table write refused, locked");
        return unit_reply(cmd_bad_password);
    }
    tables_[write->slot] = write->table;
    notes.push_back("display: table of " + slot_name(write->slot) + " written (network number " +
                    std::to_string(write->table.net) +
                    ((write->table.status & calibration::slot_in_service) ? ", in service)" : ", switched off)"));
    if (bad_store_) {
        std::uint16_t& litres = tables_[write->slot].litres.back();
        const bool top = litres == std::numeric_limits<std::uint16_t>::max();
        litres = static_cast<std::uint16_t>(top ? litres - 1 : litres + 1);
        notes.push_back("display: table of " + slot_name(write->slot) + " stored with row 40's litres changed to " + std::to_string(litres));
    }
    return unit_reply(cmd_table_written);
}

void DisplayUnit::hold_high_values(std::size_t slot) {
    auto& values = tables_.at(slot).values;
    for (std::size_t k = 0; k < values.size(); ++k) values[k] = static_cast<std::uint16_t>(0x8000 + 800 * k);
}

void DisplayUnit::show_sensor_answer(ByteView frame, Notes& notes) const {
    const unsigned level = frame[4] + 256u * frame[5];
    notes.push_back("display: indicator shows level " + std::to_string(level) + " for sensor " +
                    std::to_string(frame[1]));
}

}  // namespace sim
