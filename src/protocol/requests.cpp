#include "requests.h"

#include "commands.h"
#include "crc.h"

namespace protocol {

Bytes sensor_request(Byte address, Byte code) {
    Bytes frame{sensor_frame_start, address, code};
    Control_summ(frame);
    return frame;
}

}  // namespace protocol
