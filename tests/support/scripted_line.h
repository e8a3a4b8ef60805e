#pragma once
// A serial line for window tests: replies are queued by the test, writes are recorded,
// and a write can be made to fail on cue. The window's line thread calls it; the test
// sets it up and reads it back only while no line work is under way (before a tick, and
// after the tick's end has been awaited), except for the hold, which is thread-safe:
// a held read waits until the test releases it, so the exchange stays in flight.

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "serial/line.h"

class ScriptedLine final : public serial::Line {
public:
    bool open_result = true;
    int failing_writes = 0;  // this many writes from now on write nothing
    std::deque<protocol::Bytes> replies;  // one per read; an empty queue reads nothing
    std::vector<protocol::Bytes> written;
    std::vector<std::string> calls;  // "open", "read", "write", "flush", "close", in order
    QString opened_port;
    int flushes = 0;
    bool open_now = false;  // open() succeeded and close() has not run; a test may clear it

    serial::OpenResult open(const QString& port, const QString&) override {
        calls.emplace_back("open");
        opened_port = port;
        open_now = open_result;
        if (open_now) return serial::OpenResult::success();
        return serial::OpenResult::failure("Com Port " + port + " недоступен. Установите нужный порт.", true);
    }
    protocol::Bytes read() override {
        calls.emplace_back("read");
        {
            std::unique_lock lock(mutex_);
            reading_ = true;
            changed_.notify_all();
            changed_.wait(lock, [&] { return !held_; });
            reading_ = false;
        }
        if (replies.empty()) return {};
        protocol::Bytes reply = std::move(replies.front());
        replies.pop_front();
        return reply;
    }
    int write(protocol::ByteView bytes) override {
        calls.emplace_back("write");
        if (failing_writes > 0) {
            --failing_writes;
            return 0;
        }
        written.emplace_back(bytes.begin(), bytes.end());
        return static_cast<int>(bytes.size());
    }
    void flush() override {
        calls.emplace_back("flush");
        ++flushes;
    }
    void discard_input() override { calls.emplace_back("discard"); }
    bool close() override {
        calls.emplace_back("close");
        return std::exchange(open_now, false);
    }
    bool is_open() const override { return open_now; }

    void hold_reads() {
        const std::lock_guard lock(mutex_);
        held_ = true;
    }
    void release_reads() {
        const std::lock_guard lock(mutex_);
        held_ = false;
        changed_.notify_all();
    }
    // Returns once a read is waiting on the hold.
    void wait_for_held_read() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return reading_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool reading_ = false;
};
