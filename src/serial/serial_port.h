#pragma once
// SerialPort: the only code that touches the serial line. One port for the whole
// program, driven synchronously, with bounded waits, by the one thread that owns it (the
// window runs it on its line thread, exchange::LineThread):
//  - a read asks for at most 255 bytes; it returns once more than 20 ms pass after a
//    received byte, or after 256 ms (1 ms x 255 + 1 ms) when nothing arrives; bytes
//    beyond 255 stay for the next read;
//  - a write of n bytes is bounded by n + 10 ms; longer strings go in 255-byte pieces.

#include <QString>
#include <functional>

#include "protocol/bytes.h"

namespace serial {

// How an open went. A failed open says why in the operator's words; the window shows it
// in a box, with the exclamation icon when the port itself is not available.
struct OpenResult {
    bool opened = false;
    QString message;
    bool exclamation = false;
    bool in_use = false;  // the port exists and could be ours, but another program holds it
    QString reason;       // the system's words for a failed open, for logs and shells
    // What the system said, for a message that says what to do about it.
    enum class Problem { other, missing, denied };
    Problem problem = Problem::other;

    static OpenResult success() { return {true, {}, false, false, {}, Problem::other}; }
    static OpenResult failure(const QString& message, bool exclamation = false, bool in_use = false) {
        return {false, message, exclamation, in_use, {}, Problem::other};
    }
};

namespace SerialPort {

using protocol::Bytes;
using protocol::ByteView;

// Opens `port` ("COM1:".."COM9:" or a device name as typed) exclusively with the line
// settings `settings` ("19200,n,8,1"). A port already open is closed first.
OpenResult OpenCom(const QString& port, const QString& settings);

// The bytes received, 0 to 255 of them; an empty read flushes the port.
Bytes ReadCom();
// The same read, which also ends as soon as `complete` holds for the bytes received so
// far: an answer known to be whole needs no silence after it.
Bytes ReadCom(const std::function<bool(ByteView)>& complete);

// Writes `s` and returns how many bytes went out. A write that could not finish in time
// drops its unsent tail, so no half frame is left to trickle out later.
int WriteCom(ByteView s);

void FlushCom();
// Drops whatever has arrived and not been read: a late answer to an earlier request, or
// noise, must not be taken for the answer to the next one.
void DiscardInput();
// The same, returning the bytes dropped: those the port holds and those that have reached
// the system by now.
Bytes DropInput();

// Closes the port. Afterwards reads return nothing and writes write nothing.
bool CloseCom();

// Open until closed, or until the port lets go of a device that went away: at the next
// call into it, or from the event loop of its thread, after the call that found it gone.
bool IsOpen();
// The port's device went away (an adapter pulled out), whether or not it was let go of yet.
bool Lost();

}  // namespace SerialPort
}  // namespace serial
