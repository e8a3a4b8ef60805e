// Any received bytes against the answer of every request trelvik-cli waits on: taken
// exactly when they are the reply the request asks for, and otherwise refused with what
// is wrong in readable text.

#include <cstdint>

#include "fuzz_reply_kinds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ByteView rx(data, size);
    for (const fuzz::ReplyKind& kind : fuzz::reply_kinds) {
        const auto problem = protocol::reply_problem(rx, kind.shape);
        FUZZ_CHECK(problem.has_value() != fuzz::is_reply(rx, kind.shape));
        FUZZ_CHECK(!problem || (!problem->empty() && fuzz::well_formed_utf8(*problem)));
    }
    return 0;
}
