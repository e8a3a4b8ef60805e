#include "network/search.h"

#include <algorithm>

#include "protocol/commands.h"
#include "protocol/crc.h"

namespace network {

namespace {

constexpr std::size_t search_limit = 20;  // a search result this long is not a list of addresses

}  // namespace

static_assert(protocol::crc_ok(cmd_search));

bool looks_like_address_list(ByteView rx) {
    return !rx.empty() && !protocol::crc_ok(rx) &&
           std::all_of(rx.begin(), rx.end(), [](Byte b) { return b <= protocol::max_sensor_address; });
}

std::optional<std::vector<Byte>> search_addresses(ByteView rx) {
    if (rx.size() >= search_limit) return std::nullopt;
    return std::vector<Byte>(rx.begin(), rx.end());
}

}  // namespace network
