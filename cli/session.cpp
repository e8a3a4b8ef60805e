#include "arguments.h"
#include "commands.h"
#include "trace.h"
#include "wording.h"

#include <QCoreApplication>

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

Session::Session(Io& io_, QString port, int retries, TraceFile* trace)
    : io(io_), port_(std::move(port)), retries_(retries), trace_(trace) {}

Session::~Session() {
    if (line_) line_->port.close();
}

Outcome<DeviceOps*> Session::devices() {
    if (line_) return &line_->ops;
    if (port_.trimmed().isEmpty())
        return bad(QCoreApplication::translate("CliSession", "порт не задан: укажите --port PORT или задайте переменную TRELVIK_PORT"));
    auto line = std::make_unique<Line>(retries_);
    if (trace_) {
        // Only now is the trace file replaced: a command refused before it uses the line
        // leaves the file as it was, whatever it held.
        if (auto failed = trace_->begin()) return *failed;
        line->exchange.trace_to(&trace_->trace());
    }
    const serial::OpenResult opened = line->port.open(port_, line_settings);
    if (trace_) {
        if (opened.opened)
            trace_->trace().port_opened(port_.toStdString());
        else
            // The trace's words are English in every language; only a reason the system gave
            // that has no word of ours is passed on as it came.
            trace_->trace().port_not_opened(
                port_.toStdString(), opened.in_use                                             ? "held by another program"
                                     : opened.problem == serial::OpenResult::Problem::missing ? "no such device"
                                     : opened.problem == serial::OpenResult::Problem::denied  ? "permission denied"
                                     : opened.reason.isEmpty()                                ? "no reason given"
                                                                                              : opened.reason.toStdString());
    }
    if (!opened.opened) {
        if (opened.in_use)
            return Failed{Status::failed,
                          worded(QCoreApplication::translate("CliSession", "порт %1 занят другой программой (например, консолью); сначала закройте его там"),
                                 {name(port_)})};
        if (opened.problem == serial::OpenResult::Problem::missing)
            return Failed{Status::failed, worded(QCoreApplication::translate("CliSession", "порта %1 нет; порты этой машины перечисляет trelvik-cli ports"),
                                                 {name(port_)})};
#ifndef Q_OS_WIN
        if (opened.problem == serial::OpenResult::Problem::denied)
            return Failed{Status::failed, worded(QCoreApplication::translate("CliSession", "нет доступа к порту %1: порты открывает группа dialout (в некоторых системах uucp); "
                                                                                           "sudo usermod -aG dialout $USER и войдите в систему заново"),
                                                 {name(port_)})};
#endif
        if (opened.reason.isEmpty())
            return Failed{Status::failed, worded(QCoreApplication::translate("CliSession", "не удаётся открыть порт %1"), {name(port_)})};
        return Failed{Status::failed, worded(QCoreApplication::translate("CliSession", "не удаётся открыть порт %1: %2"), {name(port_), name(opened.reason)})};
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
    return Failed{Status::interrupted, worded(QCoreApplication::translate("CliSession", "%1: %2"), {stopped_by(*io.interrupt), summary})};
}

}  // namespace cli
