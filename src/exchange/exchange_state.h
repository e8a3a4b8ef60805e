#pragma once
// The state every handler shares with the exchange cycle. It lives in the window for
// the program's whole life; handlers and ticks run one at a time on its thread.

#include "protocol/bytes.h"

namespace exchange {

struct ExchangeState {
    protocol::Bytes wrs;        // frame(s) waiting for the next tick; empty: nothing pending
    bool net_opr = false;       // a network search is outstanding
    bool block_zapros = false;  // the periodic poll is on
    bool flag_pro_ind = false;  // the indicator check is running
    bool mode_yes = true;       // the next full poll's mode byte is to be shown
    protocol::Byte last_net = 0;   // address the tick last asked the serial number of
    protocol::Byte err_write = 0;  // consecutive failed writes
};

// The fifth failed write in a row ends the connection.
inline constexpr protocol::Byte write_failures_tolerated = 4;

// Link lamp colours, 0xRRGGBB.
inline constexpr unsigned lamp_white = 0xFFFFFF;
inline constexpr unsigned lamp_grey = 0x808080;
inline constexpr unsigned lamp_red = 0xFF0000;

// Every good write blinks the lamp between white and grey.
constexpr unsigned next_lamp_colour(unsigned colour) { return colour == lamp_white ? lamp_grey : lamp_white; }

}  // namespace exchange
