#pragma once
// The serial line's work on a thread of its own. The port's procedures block by design
// (a read waits up to 256 ms for a silent line, a write n + 10 ms), so they run on one
// I/O thread, which alone touches the line; the window's thread never waits on it.
//
// Work is asked for from the thread that made the LineThread and runs on the I/O thread
// in the order it was asked: an open, a tick's read and write, a flush, a close. Each
// answer comes back by value, on the asking thread, through its event loop; nothing
// mutable is shared between the two threads.

#include <QEvent>
#include <QObject>
#include <QString>
#include <QThread>
#include <chrono>
#include <functional>

#include "protocol/bytes.h"
#include "serial/line.h"

namespace exchange {

// What one tick did on the line: what the read brought, then how the write went.
struct LineResult {
    protocol::Bytes received;  // the reply to the previous tick's frame, 0..255 bytes
    int written = 0;           // bytes of the frame that went out
    bool line_open = false;    // the port still held the line when the frame was due
    // When the read returned and the write ended, for the traffic log.
    std::chrono::system_clock::time_point read_at;
    std::chrono::system_clock::time_point written_at;
};

// The tick's write counts as good when the whole frame went out on a line still held; an
// empty frame on a held line included. A line the port let go of (an adapter pulled out)
// fails every write, so an idle window notices it too.
constexpr bool write_succeeded(const LineResult& result, std::size_t frame_size) {
    return result.line_open && result.written >= 0 && static_cast<std::size_t>(result.written) == frame_size;
}

class LineThread {
public:
    using Opened = std::function<void(serial::OpenResult)>;
    using Exchanged = std::function<void(LineResult)>;

    // `line` must outlive this object; from now on only the I/O thread touches it.
    explicit LineThread(serial::Line& line);
    // Closes the line on the I/O thread once the work asked before is done (an exchange
    // in flight ends: a read stops waiting, its frame goes out whole), then stops the
    // thread. Answers still on their way are dropped.
    ~LineThread();
    LineThread(const LineThread&) = delete;
    LineThread& operator=(const LineThread&) = delete;

    void open(const QString& port, const QString& settings, Opened done);
    // Reads the port, then writes `frame`, as one tick does.
    void exchange(protocol::Bytes frame, Exchanged done);
    void flush();
    void close();

    // Whether the port holds its line, once the work asked before is done. Waits for the
    // I/O thread: for tests and diagnostics, never for a handler.
    bool line_open();

private:
    // Runs the calls posted to it on the thread it lives in, in the order posted. Calls
    // still queued when it is destroyed are dropped with it.
    class Mailbox final : public QObject {
    public:
        bool event(QEvent* event) override;
    };
    static void post(Mailbox& to, std::function<void()> call);
    void work(std::function<void()> call) { post(*worker_, std::move(call)); }
    // Runs `done(result)` on the asking thread, unless this object is gone by then.
    template <typename Result>
    void answer(std::function<void(Result)> done, Result result);

    serial::Line& line_;
    Mailbox home_;  // lives on the asking thread: answers are delivered through it
    QThread thread_;
    Mailbox* worker_;  // lives on the I/O thread: work is delivered through it
};

}  // namespace exchange
