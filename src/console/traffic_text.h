#pragma once
// The traffic box's text for one frame, on the byte renderings of the protocol layer.
// Plain C++; the text is UTF-8.

#include <string>

#include "protocol/byte_text.h"
#include "protocol/bytes.h"

namespace console {

// hex_line, CR LF CR LF, CleanStr. Frames of any length are shown whole.
std::string out_win_text(protocol::ByteView wwrs,
                         protocol::CodePage high_bytes = protocol::CodePage::windows1251);

}  // namespace console
