// trelvik-cli --trace against the device simulator: the frames the trace tells are those
// the simulator saw, both ways, and the rest of the run is as without it.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <sstream>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "calibration/table_file.h"
#include "cli.h"
#include "support/sim_process.h"

namespace {

struct Frame {
    bool sent;  // by trelvik-cli
    std::vector<int> bytes;
    bool operator==(const Frame&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Frame& f) {
    os << (f.sent ? "->" : "<-") << std::hex;
    for (int b : f.bytes) os << ' ' << b;
    return os << std::dec;
}

// The frame in a line of "TIME -> 3E 1 F0" or "TIME <- ...", either side's way of writing
// bytes; `sent_mark` is the arrow of a frame trelvik-cli sent.
std::optional<Frame> frame_of(const std::string& line, const char* sent_mark) {
    std::istringstream words(line);
    std::string time, arrow;
    words >> time >> arrow;
    if (arrow != "->" && arrow != "<-") return std::nullopt;
    Frame frame{arrow == sent_mark, {}};
    for (std::string hex; words >> hex && hex.front() != '(';) frame.bytes.push_back(std::stoi(hex, nullptr, 16));
    return frame;
}

}  // namespace

TEST(CliTrace, TellsTheFramesTheSimulatorSawWithTheRetriesBetweenThem) {
    QTemporaryDir dir;
    const QString table = dir.filePath("t.csv");
    const QString trace_path = dir.filePath("trace.txt");
    ASSERT_FALSE(calibration::write_table_file(table, {}));
    SimProcess sim({"--no-pace", "--no-drift", "--lose", "222:2"});  // every second answer of the unit lost
    QFile stale(trace_path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("a trace of an earlier run\n");
    stale.close();

    const auto run = [&](QStringList arguments) {
        std::ostringstream out, err;
        cli::Io io{out, err};
        const int status = cli::run(arguments, QString::fromStdString(sim.device()), io);
        return std::tuple{status, out.str(), err.str()};
    };
    const auto [status, out, err] = run({"--trace", trace_path, "table", "write", "3", table});
    ASSERT_EQ(status, 0) << err;
    EXPECT_TRUE(err.empty()) << err;

    QFile file(trace_path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::vector<Frame> traced;
    std::vector<std::string> lines;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().chopped(1);
        lines.push_back(line.toStdString());
        EXPECT_TRUE(QDateTime::fromString(QString::fromLatin1(line.split(' ').first()), Qt::ISODateWithMs).isValid())
            << line.toStdString();
        if (const auto frame = frame_of(line.toStdString(), "->")) traced.push_back(*frame);
    }
    // The port; write, confirmed; read back, its reply lost; read again, the reply.
    ASSERT_EQ(traced.size(), 5u);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_TRUE(lines[0].ends_with(" port " + sim.device() + " opened")) << lines[0];
    EXPECT_TRUE(lines[4].find(" timeout: no answer in ") != std::string::npos) << lines[4];
    EXPECT_TRUE(lines[5].ends_with(" retry 1 of 2")) << lines[5];

    std::vector<Frame> seen;
    while (seen.size() < traced.size())
        if (const auto line = sim.line(std::chrono::seconds(5)); !line) break;
        else if (const auto frame = frame_of(*line, "<-")) seen.push_back(*frame);
    EXPECT_EQ(traced, seen);

    // Standard output tells what it tells without a trace.
    EXPECT_EQ(std::get<1>(run({"table", "write", "3", table})), out);
}
