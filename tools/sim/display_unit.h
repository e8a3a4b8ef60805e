#pragma once
// The display unit at address 0xDE: ten calibration slots, a mode byte and a
// numeric password. It also listens to sensor answers, which is what the
// console's indicator check imitates.

#include <array>
#include <cstdint>
#include <optional>

#include "calibration/table_frame.h"
#include "notes.h"

namespace sim {

using protocol::Byte;
using protocol::Bytes;
using protocol::ByteView;

inline constexpr std::size_t slot_count = 10;
inline constexpr std::uint32_t max_password = 2'000'000'000;

using SlotTables = std::array<calibration::CalibrationTable, slot_count>;

// Slot s watches sensor s + 1; each slot has its own curve, the last five are off.
SlotTables default_tables();

class DisplayUnit {
public:
    // With `lock_tables`, table writes need the password presented first; with
    // `bad_store`, they are confirmed but stored with row 40's litres off by one.
    DisplayUnit(std::uint32_t password, bool lock_tables, bool bad_store = false);

    // The answer to a well-formed request addressed to the unit, with its effect
    // applied; nullopt when the unit stays silent.
    std::optional<Bytes> answer(ByteView request, Notes& notes);

    // A short-poll answer of some sensor seen on the line: the level it carries
    // is what the indicator shows for that sensor.
    void show_sensor_answer(ByteView frame, Notes& notes) const;

    // Slot `slot` takes sensor values from 32768 up (32768 + 800 k), which a unit holds
    // although the console's grid cannot send them.
    void hold_high_values(std::size_t slot);

    const calibration::CalibrationTable& table(std::size_t slot) const { return tables_.at(slot); }
    Byte mode() const { return mode_; }
    bool unlocked() const { return unlocked_; }
    std::uint32_t password() const { return password_; }

private:
    std::optional<Bytes> write_table(ByteView request, Notes& notes);

    SlotTables tables_ = default_tables();
    Byte mode_ = 0;
    std::uint32_t password_;
    bool lock_tables_;
    bool bad_store_;
    bool unlocked_ = false;  // the right password was presented and no wrong one since
};

}  // namespace sim
