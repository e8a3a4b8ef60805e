// A table write followed through, tick by tick: the frames each tick sends and the bytes
// the next tick reads, as the window hands them over.

#include <gtest/gtest.h>

#include "calibration/table_frame.h"
#include "exchange/table_read_back.h"
#include "protocol/commands.h"
#include "support/framed.h"
#include "support/rising_table.h"

using exchange::TableReadBack;
using Kind = TableReadBack::Outcome::Kind;
using protocol::Bytes;

namespace {

const Bytes confirmation = framed({0x31, 0xDE, protocol::cmd_table_written});
const Bytes write_slot_2 = calibration::build_write_table(2, rising_table(10));

// A tick that reads `rx`, then sends `frame`: what the reply meant.
TableReadBack::Outcome tick(TableReadBack& r, const Bytes& rx, const Bytes& frame) {
    const auto outcome = r.received(rx);
    r.sent(frame);
    return outcome;
}

// Written to slot 2 and confirmed: the read-back is owed.
void confirmed(TableReadBack& r) {
    tick(r, {}, write_slot_2);
    ASSERT_EQ(tick(r, confirmation, {}).kind, Kind::confirmed);
    ASSERT_TRUE(r.read_back_owed());
}

}  // namespace

TEST(TableReadBack, TheConfirmedSlotIsReadOnceAndComparedWithWhatWasSent) {
    const Bytes same = calibration::build_table_reply(rising_table(10), 0x05);
    Bytes cut = same;
    cut.resize(100);
    auto held = rising_table(10);
    held.litres[39] = 401;
    const struct {
        const char* what;
        std::vector<Bytes> read;  // by the ticks after the read-back went out
        Kind kind;
        std::vector<calibration::TableDifference> differences;
    } cases[] = {
        {"the same table", {same}, Kind::same, {}},
        {"one field off, a tick late", {{}, calibration::build_table_reply(held, 0x05)}, Kind::different,
         {{40, "litres", 400, 401}}},
        {"no answer", {{}, {}}, Kind::unchecked, {}},
        {"a cut table", {cut}, Kind::unchecked, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TableReadBack r;
        ASSERT_NO_FATAL_FAILURE(confirmed(r));
        const auto read = r.take_read_back();
        ASSERT_EQ(read, calibration::build_read_table(2));
        EXPECT_FALSE(r.read_back_owed() || r.take_read_back()) << "one read per write";
        EXPECT_EQ(tick(r, {}, *read).kind, Kind::none);
        for (std::size_t t = 0; t + 1 < c.read.size(); ++t) EXPECT_EQ(tick(r, c.read[t], {}).kind, Kind::none);
        const auto outcome = tick(r, c.read.back(), {});
        EXPECT_EQ(outcome.kind, c.kind);
        EXPECT_EQ(outcome.slot, 2);
        EXPECT_EQ(outcome.differences, c.differences);
        EXPECT_EQ(tick(r, same, {}).kind, Kind::none) << "judged once";
    }
}

TEST(TableReadBack, OnlyAConfirmationOfTheWriteJustSentOwesARead) {
    TableReadBack r;
    EXPECT_EQ(tick(r, confirmation, {}).kind, Kind::none) << "no write went out";
    tick(r, {}, write_slot_2);
    EXPECT_EQ(tick(r, framed({0x31, 0xDE, protocol::cmd_bad_password}), {}).kind, Kind::none) << "refused";
    EXPECT_FALSE(r.read_back_owed());

    tick(r, {}, write_slot_2);
    r.dropped();  // the next tick's write failed: the confirmation went with its bytes
    EXPECT_EQ(tick(r, confirmation, {}).kind, Kind::none);
    EXPECT_FALSE(r.read_back_owed());

    tick(r, {}, write_slot_2);
    tick(r, {}, {});
    EXPECT_EQ(tick(r, confirmation, {}).kind, Kind::confirmed) << "a tick late";
    tick(r, {}, write_slot_2);
    tick(r, {}, {});
    tick(r, {}, {});
    EXPECT_EQ(tick(r, confirmation, {}).kind, Kind::none) << "two ticks late";
}

TEST(TableReadBack, AReadDroppedByAFailedTickIsOwedAgainAndTheOperatorsReadTakesItsPlace) {
    TableReadBack r;
    ASSERT_NO_FATAL_FAILURE(confirmed(r));
    r.take_read_back();
    r.dropped();  // its own write failed
    ASSERT_TRUE(r.read_back_owed());
    tick(r, {}, *r.take_read_back());
    r.dropped();  // the tick that was to read its answer failed
    ASSERT_TRUE(r.read_back_owed());

    r.cancel();
    EXPECT_FALSE(r.read_back_owed());
    const Bytes operators_read = calibration::build_read_table(2);
    const Bytes reply = calibration::build_table_reply(rising_table(10), 0x05);
    tick(r, {}, operators_read);
    EXPECT_EQ(tick(r, reply, {}).kind, Kind::none) << "a plain read";

    // Taken for the tick under way, then the operator reads: his read goes out instead.
    ASSERT_NO_FATAL_FAILURE(confirmed(r));
    r.take_read_back();
    r.cancel();
    tick(r, {}, operators_read);
    EXPECT_EQ(tick(r, {}, {}).kind, Kind::none);
    EXPECT_FALSE(r.read_back_owed());

    // The operator reads another slot: the read-back is still owed, after his read.
    ASSERT_NO_FATAL_FAILURE(confirmed(r));
    r.read_by_operator(4);
    EXPECT_TRUE(r.read_back_owed());
    r.read_by_operator(2);
    EXPECT_FALSE(r.read_back_owed()) << "his read of the written slot shows what it holds";

    // His read of another slot answered a tick late: the read-back waits for that answer,
    // which is not judged as the read-back's.
    ASSERT_NO_FATAL_FAILURE(confirmed(r));
    r.read_by_operator(4);
    tick(r, {}, calibration::build_read_table(4));
    EXPECT_FALSE(r.take_read_back()) << "his answer is still to come";
    tick(r, {}, {});
    EXPECT_FALSE(r.take_read_back()) << "a tick late";
    EXPECT_EQ(tick(r, reply, {}).kind, Kind::none) << "his table, not the read-back's";
    const auto read_back = r.take_read_back();
    ASSERT_TRUE(read_back);
    tick(r, {}, *read_back);
    EXPECT_EQ(tick(r, reply, {}).kind, Kind::same);

    // Sent, its answer late, and the operator's read goes out: the next table may be his.
    ASSERT_NO_FATAL_FAILURE(confirmed(r));
    tick(r, {}, *r.take_read_back());
    tick(r, {}, operators_read);
    EXPECT_EQ(tick(r, reply, {}).kind, Kind::unchecked);
}
