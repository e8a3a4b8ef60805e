#pragma once
// The serial line as the window uses it. SerialPortLine is the real one (the SerialPort
// module); tests put a scripted line in its place to make writes fail on cue.

#include <QString>
#include <functional>

#include "protocol/bytes.h"
#include "serial/serial_port.h"

namespace serial {

class Line {
public:
    virtual ~Line() = default;
    virtual OpenResult open(const QString& port, const QString& settings) = 0;
    virtual protocol::Bytes read() = 0;
    // A read that also ends as soon as `complete` holds for what it has received; a line
    // that cannot tell waits as read() does.
    virtual protocol::Bytes read_until(const std::function<bool(protocol::ByteView)>& complete) {
        (void)complete;
        return read();
    }
    virtual int write(protocol::ByteView bytes) = 0;
    virtual void flush() = 0;
    virtual void discard_input() = 0;
    // discard_input() that also returns what it dropped, for a trace of the line; a line
    // that cannot tell returns nothing.
    virtual protocol::Bytes drop_input() {
        discard_input();
        return {};
    }
    virtual bool close() = 0;
    // False once closed, and once the port let go of a device that went away.
    virtual bool is_open() const = 0;
    // The port's device went away, as soon as a read or write has found it so, before the
    // port lets go of it.
    virtual bool gone() const { return false; }
};

class SerialPortLine final : public Line {
public:
    OpenResult open(const QString& port, const QString& settings) override {
        return SerialPort::OpenCom(port, settings);
    }
    protocol::Bytes read() override { return SerialPort::ReadCom(); }
    protocol::Bytes read_until(const std::function<bool(protocol::ByteView)>& complete) override {
        return SerialPort::ReadCom(complete);
    }
    int write(protocol::ByteView bytes) override { return SerialPort::WriteCom(bytes); }
    void flush() override { SerialPort::FlushCom(); }
    void discard_input() override { SerialPort::DiscardInput(); }
    protocol::Bytes drop_input() override { return SerialPort::DropInput(); }
    bool close() override { return SerialPort::CloseCom(); }
    bool is_open() const override { return SerialPort::IsOpen(); }
    bool gone() const override { return SerialPort::Lost(); }
};

}  // namespace serial
