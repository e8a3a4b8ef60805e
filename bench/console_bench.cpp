// The window's own work per tick, with the line answering at once: a full poll reply
// applied to the labels, and a table reply applied to the grid. A tick's budget is far
// below the 500 ms period; this measures what the window adds to the line's time.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>

#include "calibration/table_frame.h"
#include "console/frm_serial.h"
#include "protocol/crc.h"

namespace {

using protocol::Byte;
using protocol::Bytes;

// A line that answers every read with the same reply and takes every write.
class EchoLine final : public serial::Line {
public:
    explicit EchoLine(Bytes reply) : reply_(std::move(reply)) {}
    serial::OpenResult open(const QString&, const QString&) override { return serial::OpenResult::success(); }
    Bytes read() override { return reply_; }
    int write(protocol::ByteView bytes) override { return static_cast<int>(bytes.size()); }
    void flush() override {}
    void discard_input() override {}
    bool close() override { return true; }
    bool is_open() const override { return true; }

private:
    Bytes reply_;
};

// Answers every file dialog with `file`.
class SilentDialogs final : public Dialogs {
public:
    QString file;
    Answer message(const QString&, Buttons, Icon, const QString&) override { return Answer::Ok; }
    QString input(const QString&, const QString&, const QString&) override { return {}; }
    QString save_file(const QString&, const QString&, const QString&) override { return file; }
    QString open_file(const QString&, const QString&, const QString&) override { return file; }
};

Bytes full_poll_reply() {
    Bytes r{0x3E, 0x01, 0xF0, 0x15, 0x34, 0x12};
    r.resize(21, 0x11);
    protocol::Control_summ(r);
    return r;  // 22 bytes
}

Bytes table_reply() {
    calibration::CalibrationTable t;
    for (std::size_t k = 0; k < calibration::table_points; ++k) {
        t.values[k] = static_cast<std::uint16_t>(100 * k + 7);
        t.litres[k] = static_cast<std::uint16_t>(250 * k + 3);
    }
    return calibration::build_table_reply(t, 0x05);  // 167 bytes
}

// Runs the event loop until the window emits `signal`.
template <typename Signal>
void await(frmSerial& w, Signal signal) {
    QEventLoop loop;
    QObject::connect(&w, signal, &loop, &QEventLoop::quit);
    loop.exec();
}

// Both halves of a tick: the line's thread answers at once, so this is the window's own
// work plus two hops between the threads.
void tick(frmSerial& w) {
    w.TMRComm_Timer();
    await(w, &frmSerial::tick_finished);
}

void run_ticks(benchmark::State& state, Bytes reply, bool poll) {
    SilentDialogs dialogs;
    EchoLine line(std::move(reply));
    frmSerial w(dialogs, line);
    w.show();
    w.BTNOpenCom_Click();
    await(w, &frmSerial::open_finished);
    w.TMRComm->stop();  // ticks are driven here, not by the clock
    w.CmbNet->setCurrentIndex(1);
    if (poll) w.block_Click();
    tick(w);
    for (auto _ : state) {
        tick(w);
        QCoreApplication::processEvents();  // let the changed controls repaint
    }
}

void TickWithFullPoll(benchmark::State& state) { run_ticks(state, full_poll_reply(), true); }
void TickWithTable(benchmark::State& state) { run_ticks(state, table_reply(), false); }

// "Установить таблицу": 83 boxes read, converted, checked and built into the 167-byte frame.
void WriteTableFromTheGrid(benchmark::State& state) {
    SilentDialogs dialogs;
    EchoLine line({});
    frmSerial w(dialogs, line);
    w.zapForm_Click();
    w.Text43->setText(QStringLiteral("13"));
    for (auto _ : state) {
        w.write_struct_Click();
        benchmark::DoNotOptimize(w.state.wrs.data());
    }
}

// The grid saved to a table file and loaded back: checked, written through a temporary
// file that replaces the old one, read, checked and shown. The window's thread does it
// all; the target is under 20 ms each.
void run_table_file(benchmark::State& state, const char* name, void (frmSerial::*command)()) {
    QTemporaryDir dir;
    SilentDialogs dialogs;
    dialogs.file = dir.filePath(QString::fromLatin1(name));
    EchoLine line({});
    frmSerial w(dialogs, line);
    w.zapForm_Click();
    w.save_table();
    for (auto _ : state) {
        (w.*command)();
        QCoreApplication::processEvents();  // let the changed controls repaint
    }
    if (!w.MsgCom->text().contains(QString::fromLatin1(name))) state.SkipWithError("the table file was not kept");
}

void SaveTableCsv(benchmark::State& state) { run_table_file(state, "Sensor 1.csv", &frmSerial::save_table); }
void LoadTableCsv(benchmark::State& state) { run_table_file(state, "Sensor 1.csv", &frmSerial::load_table); }
void SaveTableJson(benchmark::State& state) { run_table_file(state, "Sensor 1.json", &frmSerial::save_table); }
void LoadTableJson(benchmark::State& state) { run_table_file(state, "Sensor 1.json", &frmSerial::load_table); }

BENCHMARK(TickWithFullPoll)->Unit(benchmark::kMicrosecond);
BENCHMARK(TickWithTable)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteTableFromTheGrid)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveTableCsv)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadTableCsv)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveTableJson)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadTableJson)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
