#include "arguments.h"
#include "commands.h"

namespace cli {

namespace {

constexpr char line_settings[] = "19200,n,8,1";

}  // namespace

struct Session::Line {
    serial::SerialPortLine port;
    exchange::RequestReply exchange;
    DeviceOps ops;
    explicit Line(int retries) : exchange(port, retries), ops(exchange, &port) {}
};

Session::Session(Io& io_, QString port, int retries, exchange::LineTrace* trace)
    : io(io_), port_(std::move(port)), retries_(retries), trace_(trace) {}

Session::~Session() {
    if (line_) line_->port.close();
}

Outcome<DeviceOps*> Session::devices() {
    if (line_) return &line_->ops;
    if (port_.trimmed().isEmpty()) return bad("no port: give --port PORT or set TRELVIK_PORT");
    auto line = std::make_unique<Line>(retries_);
    line->exchange.trace_to(trace_);
    const serial::OpenResult opened = line->port.open(port_, line_settings);
    if (!opened.opened) {
        if (opened.in_use)
            return Failed{Status::failed, "port " + port_.toStdString() +
                                              " is held by another program (the console, say); close it there first"};
        return Failed{Status::failed, "cannot open port " + port_.toStdString() +
                                          (opened.reason.isEmpty() ? "" : ": " + opened.reason.toStdString())};
    }
    line_ = std::move(line);
    return &line_->ops;
}

Outcome<DeviceOps*> Session::devices(std::optional<std::uint32_t> password) {
    TRY_LET(ops, devices());
    if (password) TRY(ops->enter_password(*password));
    return ops;
}

void Session::guard_writes() {
    if (io.interrupt) io.interrupt->wanted = 1;
}

std::optional<Failed> Session::interrupted(const std::string& summary) const {
    if (!io.interrupt || !io.interrupt->caught) return std::nullopt;
    return Failed{Status::interrupted, stopped_by(*io.interrupt) + ": " + summary};
}

}  // namespace cli
