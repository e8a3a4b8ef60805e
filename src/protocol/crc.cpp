#include "crc.h"

namespace protocol {

void Control_summ(Bytes& wrs) { wrs.push_back(crc8(wrs)); }

}  // namespace protocol
