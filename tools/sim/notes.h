#pragma once

#include <string>
#include <vector>

namespace sim {

// What the devices did besides answering (a sensor moved, a table was stored, a
// frame was ignored), for the operator's log.
using Notes = std::vector<std::string>;

}  // namespace sim
