#pragma once
// A table write followed until the unit is seen to hold it: the write goes out, the unit
// confirms it, the slot is read back on a following tick and what came back is compared
// with what was sent. A reply arrives one tick after its request, so each tick tells what
// it sent, and the reply the next tick brings is judged against that. A tick that reads
// nothing at all gives the answer one tick more: a busy line or adapter can hold it back.

#include <optional>
#include <vector>

#include "calibration/table_compare.h"
#include "calibration/table_frame.h"
#include "protocol/bytes.h"

namespace exchange {

class TableReadBack {
public:
    // What one tick's reply meant for a table write.
    struct Outcome {
        enum class Kind {
            none,       // nothing
            confirmed,  // the unit confirmed the write just sent; its slot is owed a read
            same,       // the read-back holds what was sent
            different,  // the read-back holds something else: `differences`
            unchecked,  // the read-back drew no whole table reply with a good CRC
        };
        Kind kind = Kind::none;
        protocol::Byte slot = 0;
        std::vector<calibration::TableDifference> differences;  // written against read
    };

    // The read-back request, when a confirmed write is owed one. Taken, it is owed no more,
    // unless the tick fails to write it.
    std::optional<protocol::Bytes> take_read_back();
    bool read_back_owed() const { return owed_.has_value(); }
    // The operator writes a slot, or the line is connected anew: a read-back not yet sent
    // is dropped. One already sent is still judged: its answer tells what the earlier write
    // left.
    void cancel();
    // The operator reads `slot` himself: a read-back of that slot not yet sent is dropped,
    // as his read shows what the unit holds. One of another slot is still owed.
    void read_by_operator(protocol::Byte slot);

    // The bytes one tick read (empty when none), judged against what the tick before sent.
    Outcome received(protocol::ByteView rx);
    // What the same tick then sent.
    void sent(protocol::ByteView frame);
    // The tick's write failed, dropping its frame and what it read, or the cycle stopped:
    // nothing sent is awaited any more. A read-back that did not get its answer is owed again.
    void dropped();

private:
    struct Written {
        protocol::Byte slot = 0;
        calibration::CalibrationTable table;
    };
    std::optional<Written> owed_;            // confirmed, its read not yet sent
    std::optional<Written> taken_;           // its read is in the frame of the tick under way
    // A frame sent and its answer awaited; `late` once a tick has read nothing meanwhile.
    struct Awaited {
        Written written;
        bool late = false;
    };
    std::optional<Awaited> write_sent_;      // this table went out
    std::optional<Awaited> read_back_sent_;  // the read of this table's slot went out
    // Another table read went out while the read-back's answer was late: the answer that
    // comes next may be that read's.
    bool read_back_ambiguous_ = false;
    // A table read of the operator's went out; the read-back waits for its answer. True
    // once a tick has read nothing meanwhile.
    std::optional<bool> other_read_late_;
};

}  // namespace exchange
