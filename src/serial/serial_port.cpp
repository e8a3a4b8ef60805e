#include "serial/serial_port.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSerialPort>
#include <QThread>
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <memory>

#include "serial/line_settings.h"
#include "serial/port_name.h"
#include "serial/port_system.h"
#include "serial/write_pieces.h"

namespace serial::SerialPort {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr qint64 read_request = transfer_size;  // bytes asked for by every read
constexpr milliseconds read_interval{20};                // gap after a byte that ends a read
constexpr milliseconds read_total{1 * 255 + 1};          // per requested byte, plus a constant
constexpr milliseconds write_constant{10};               // plus 1 ms per byte written
constexpr milliseconds stop_check{20};                   // how often a silent wait looks for a stop

std::unique_ptr<QSerialPort> hCom;
std::array<protocol::Byte, 256> ComBuffer{};

// The port said that its device went away (an adapter pulled out). Closing it from inside
// its own signal would pull it from under the wait that emitted it: the flag ends the wait,
// and the port is let go of once the signal has returned: by the event loop of the port's
// thread where one runs (the window's line thread), else at the start of the next call
// into it (the command-line tool runs none).
bool lost = false;

void let_go_if_lost() {
    if (!lost) return;
    lost = false;
    if (hCom && hCom->isOpen()) hCom->close();
}

// Lets go of a lost port from its thread's event loop. A child of the port, so it lives in
// the port's thread, and a call still on its way is dropped with it.
class LetGo final : public QObject {
public:
    explicit LetGo(QObject* port) : QObject(port) {}
    static constexpr QEvent::Type call = QEvent::User;

protected:
    bool event(QEvent* e) override {
        if (e->type() != call) return QObject::event(e);
        let_go_if_lost();
        return true;
    }
};

int wait_budget(Clock::time_point deadline, milliseconds cap) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::clamp(left, milliseconds{0}, cap).count());
}

// Applies the settings; false (with errno or GetLastError still telling why) when the port refuses one.
bool apply(QSerialPort& port, const LineSettings& settings) {
    using P = QSerialPort;
    const P::Parity parity[] = {P::NoParity, P::EvenParity, P::OddParity, P::MarkParity, P::SpaceParity};
    const P::StopBits stop_bits[] = {P::OneStop, P::OneAndHalfStop, P::TwoStop};
    return port.setBaudRate(settings.baud) && port.setDataBits(static_cast<P::DataBits>(settings.data_bits)) &&
           port.setParity(parity[static_cast<int>(settings.parity)]) &&
           port.setStopBits(stop_bits[static_cast<int>(settings.stop_bits)]) && port.setFlowControl(P::NoFlowControl);
}

bool is_open() { return hCom && hCom->isOpen(); }

void flush_port() {
    if (is_open() && !lost) hCom->flush();
}

// Waits up to `wait` ms for bytes to arrive. A long wait on a silent line is cut into
// slices, so that a thread asked to stop (the program quitting) stops waiting; what the
// read brings is not wanted then. True when bytes came and the port reported no error.
bool wait_for_bytes(int wait) {
    const auto until = Clock::now() + milliseconds{wait};
    for (;;) {
        const bool ready = hCom->waitForReadyRead(wait_budget(until, stop_check));
        if (lost) return false;
        if (ready) return hCom->error() == QSerialPort::NoError;
        if (hCom->error() != QSerialPort::TimeoutError || Clock::now() >= until ||
            QThread::currentThread()->isInterruptionRequested())
            return false;
        hCom->clearError();  // a slice ran out, not the wait
    }
}

int write_piece(ByteView s) {
    if (!is_open() || lost) return 0;
    hCom->clearError();
    std::copy(s.begin(), s.end(), ComBuffer.begin());
    const auto n = static_cast<qint64>(s.size());
    const auto deadline = Clock::now() + milliseconds{n} + write_constant;
    if (hCom->write(reinterpret_cast<const char*>(ComBuffer.data()), n) != n) {
        if (!lost) hCom->clear(QSerialPort::Output);
        return 0;
    }
    // The bytes are handed to the device at least once, even when this thread comes to it
    // after the deadline: the bound is the line's, not the scheduler's.
    for (bool first = true; hCom->bytesToWrite() > 0 && !lost; first = false) {
        const int wait = wait_budget(deadline, milliseconds{n} + write_constant);
        if ((wait <= 0 && !first) || !hCom->waitForBytesWritten(wait)) break;
    }
    if (lost) return 0;  // what went out before will not reach the line
    const qint64 unsent = hCom->bytesToWrite();
    if (unsent > 0) hCom->clear(QSerialPort::Output);
    return static_cast<int>(n - unsent);
}

}  // namespace

OpenResult OpenCom(const QString& port, const QString& settings) {
    CloseCom();

    // The device itself, not a link to it, so that two names of one device share its lock.
    const std::string device = device_to_open(device_for_port(port.toStdString()));
    hCom = std::make_unique<QSerialPort>(QString::fromStdString(device));
    const bool claimed = claim_port(device);
    if (!claimed || !hCom->open(QIODevice::ReadWrite)) {
        auto result = OpenResult::failure(
            QCoreApplication::translate("SerialPort", "Com Port %1 недоступен. Установите нужный порт.").arg(port),
            true, !claimed || held_elsewhere(*hCom, device));
        result.reason =
            claimed ? hCom->errorString() : QCoreApplication::translate("SerialPort", "занят другой программой");
        if (claimed && hCom->error() == QSerialPort::DeviceNotFoundError) result.problem = OpenResult::Problem::missing;
        if (claimed && hCom->error() == QSerialPort::PermissionError) result.problem = OpenResult::Problem::denied;
        release_port();
        hCom.reset();
        return result;
    }
    // Time-outs are kept by ReadCom and WriteCom themselves, so setting them cannot fail here.

    const auto parsed = parse_line_settings(settings.toStdString());
    if (!parsed) {
        CloseCom();
        return OpenResult::failure(QCoreApplication::translate("SerialPort", "Unable to build Comm DCB %1 Error: %2")
                                       .arg(settings, QString::number(invalid_settings_error())));
    }
    errno = 0;
    if (!apply(*hCom, *parsed)) {
        const int error = last_system_error();
        CloseCom();
        return OpenResult::failure(QCoreApplication::translate("SerialPort", "Unable to set Comm DCB %1 Error: %2")
                                       .arg(settings, QString::number(error)));
    }
    hCom->clear();  // nothing that arrived before the open belongs to this session

    // A device that goes away (an adapter pulled out) leaves a descriptor that is ready
    // for ever, and an event loop would spin on it. Qt reports that as a resource error
    // when the port is in use and as a read error when the port is idle (the descriptor
    // is readable but yields nothing). Let go of it at once: reads then return nothing
    // and writes fail, which the exchange cycle reports until it gives up.
    // The signal comes on every clearError() and every wait that runs out as well, mostly
    // inside a wait of ours on a thread that may run no event loop at all (the command-line
    // tool): the handler is called directly and posts nothing, but the one event that lets
    // go of a port found gone.
    QObject::connect(
        hCom.get(), &QSerialPort::errorOccurred, hCom.get(),
        [port = hCom.get(), later = new LetGo(hCom.get())](QSerialPort::SerialPortError error) {
            if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) return;
            if (lost || !port->isOpen() || !line_gone(*port, error)) return;
            lost = true;
            QCoreApplication::postEvent(later, new QEvent(LetGo::call));
        },
        Qt::DirectConnection);
    return OpenResult::success();
}

Bytes ReadCom() { return ReadCom({}); }

Bytes ReadCom(const std::function<bool(ByteView)>& complete) {
    let_go_if_lost();
    if (!is_open()) return {};
    hCom->clearError();
    const auto deadline = Clock::now() + read_total;
    qint64 count = 0;
    for (;;) {
        const qint64 got = hCom->read(reinterpret_cast<char*>(ComBuffer.data()) + count, read_request - count);
        if (got > 0) count += got;
        if (count >= read_request) break;
        if (got > 0 && complete && complete(ByteView(ComBuffer.data(), static_cast<std::size_t>(count)))) break;
        // Before the first byte only the total time-out counts; after it, also the gap.
        const int wait = wait_budget(deadline, count > 0 ? read_interval : read_total);
        if (wait <= 0 || !wait_for_bytes(wait)) break;
    }
    if (count == 0) {
        flush_port();
        return {};
    }
    return Bytes(ComBuffer.begin(), ComBuffer.begin() + count);
}

int WriteCom(ByteView s) {
    // A piece cut short ends the write: the pieces behind it would only go out
    // behind a hole, as a corrupt frame.
    let_go_if_lost();
    int written = 0;
    for (ByteView piece : write_pieces(s)) {
        const int count = write_piece(piece);
        written += count;
        if (count != static_cast<int>(piece.size())) break;
    }
    return written;
}

void FlushCom() {
    let_go_if_lost();
    flush_port();
}

void DiscardInput() {
    let_go_if_lost();
    if (is_open()) hCom->clear(QSerialPort::Input);
}

Bytes DropInput() {
    let_go_if_lost();
    if (!is_open()) return {};
    // A wait of no time takes in what the system holds; one that finds nothing is no error
    // of the line (the next read or write clears it).
    hCom->waitForReadyRead(0);
    const QByteArray stale = lost ? QByteArray() : hCom->readAll();
    if (!lost) hCom->clear(QSerialPort::Input);
    return Bytes(stale.begin(), stale.end());
}

bool CloseCom() {
    lost = false;
    if (!hCom) return false;
    hCom->close();
    hCom.reset();
    release_port();
    return true;
}

bool IsOpen() { return is_open(); }

bool Lost() { return lost || (hCom && !hCom->isOpen()); }

}  // namespace serial::SerialPort
