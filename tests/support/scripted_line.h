#pragma once
// A serial line for window tests: replies are queued by the test, writes are recorded,
// and a write can be made to fail on cue.

#include <deque>
#include <utility>
#include <vector>

#include "serial/line.h"

class ScriptedLine final : public Line {
public:
    bool open_result = true;
    int failing_writes = 0;  // this many writes from now on write nothing
    std::deque<protocol::Bytes> replies;  // one per read; an empty queue reads nothing
    std::vector<protocol::Bytes> written;
    QString opened_port;
    int flushes = 0;
    bool open_now = false;  // open() succeeded and close() has not run; a test may clear it

    bool open(const QString& port, const QString&, Dialogs&) override {
        opened_port = port;
        return open_now = open_result;
    }
    protocol::Bytes read() override {
        if (replies.empty()) return {};
        protocol::Bytes reply = std::move(replies.front());
        replies.pop_front();
        return reply;
    }
    int write(protocol::ByteView bytes) override {
        if (failing_writes > 0) {
            --failing_writes;
            return 0;
        }
        written.emplace_back(bytes.begin(), bytes.end());
        return static_cast<int>(bytes.size());
    }
    void flush() override { ++flushes; }
    bool close() override { return std::exchange(open_now, false); }
    bool is_open() const override { return open_now; }
};
