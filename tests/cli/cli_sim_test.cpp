// trelvik-cli's commands run as a script runs them, against the device simulator: what
// they print, the files they leave and the exit status.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDateTime>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSerialPort>
#include <QTemporaryDir>
#include <csignal>
#include <future>
#include <sstream>

#include "calibration/table_file.h"
#include "calibration/unit_backup.h"
#include "cli.h"
#include "device_ops.h"
#include "interrupt.h"
#include "language/language.h"
#include "support/sim_process.h"

using calibration::UnitBackup;

namespace {

// The tool's messages are checked in English, as a script run with --lang en reads them;
// Russian is put back for the suites after.
class EnglishMessages : public testing::Environment {
public:
    void SetUp() override { language::install(*QCoreApplication::instance(), language::Language::english); }
    void TearDown() override { language::install(*QCoreApplication::instance(), language::Language::russian); }
};
[[maybe_unused]] testing::Environment* const english = testing::AddGlobalTestEnvironment(new EnglishMessages);

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun cli_run(const std::string& port, const QStringList& arguments, cli::Io::Interrupt* interrupt = nullptr) {
    std::ostringstream out, err;
    cli::Io io{out, err, false, interrupt};
    const int status = cli::run(arguments, QString::fromStdString(port), io);
    return {status, out.str(), err.str()};
}

// Answers at once and holds still, so that two simulators compare equal.
SimProcess quiet_sim(std::vector<std::string> faults = {}) {
    faults.insert(faults.begin(), {"--no-pace", "--no-drift"});
    return SimProcess(std::move(faults));
}

// The simulator's log lines that contain `text`, waited for until `count` have come.
int logged(SimProcess& sim, const std::string& text, int count) {
    int seen = 0;
    while (seen < count)
        if (const auto line = sim.line(std::chrono::seconds(5)); !line) break;
        else seen += line->find(text) != std::string::npos;
    return seen;
}

UnitBackup backup_file(const QString& path) {
    const auto read = calibration::read_backup_file(path);
    EXPECT_TRUE(std::holds_alternative<UnitBackup>(read)) << std::get<QString>(read).toStdString();
    return std::holds_alternative<UnitBackup>(read) ? std::get<UnitBackup>(read) : UnitBackup{};
}

// The unit a backup holds, without when and by what it was saved.
UnitBackup unit_of(UnitBackup backup) {
    backup.saved_at.clear();
    backup.saved_by.clear();
    return backup;
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(absent)");
}

class CliSimTest : public testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(CliSimTest, BackupRestoredIntoAFreshUnitReadsBackTheSame) {
    SimProcess first = quiet_sim({"--high-values", "4"});
    // A unit that differs from a fresh one: an edited slot and another display mode.
    ASSERT_EQ(cli_run(first.device(), {"table", "read", "3", "-o", path("s3.json")}).status, 0);
    auto table = std::get<calibration::CalibrationTable>(calibration::read_table_file(path("s3.json")));
    table.net = 77;
    table.status = 0;
    for (std::size_t k = 0; k < calibration::table_points; ++k) {
        table.values[k] = static_cast<std::uint16_t>(100 * (k + 1));
        table.litres[k] = static_cast<std::uint16_t>(10 * (k + 1));
    }
    table.litres[16] = 16;  // a slip: written as asked, and said
    table.litres[39] = 65535;
    ASSERT_FALSE(calibration::write_table_file(path("s3.csv"), table));
    const CliRun written = cli_run(first.device(), {"table", "write", "3", path("s3.csv")});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "Sensor 3: written and verified\n");
    EXPECT_NE(written.err.find("Litres fall: rows 16–17 (160 → 16). The table is written all the same."), std::string::npos)
        << written.err;
    ASSERT_EQ(cli_run(first.device(), {"display-mode", "--passive", "--virs"}).status, 0);

    const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-999);
    const CliRun saved = cli_run(first.device(), {"backup", "-o", path("unit.json")});
    ASSERT_EQ(saved.status, 0) << saved.err;
    const UnitBackup original = backup_file(path("unit.json"));
    const QDateTime saved_at = QDateTime::fromString(QString::fromStdString(original.saved_at), Qt::ISODate);
    EXPECT_TRUE(original.saved_at.ends_with('Z') && saved_at >= before && saved_at <= QDateTime::currentDateTimeUtc())
        << original.saved_at;
    EXPECT_TRUE(original.saved_by.starts_with("trelvik-cli ")) << original.saved_by;
    EXPECT_EQ(original.tables[2], table);
    EXPECT_TRUE(original.passive && original.virs);
    EXPECT_EQ(original.tables[3].values[1], 0x8000 + 800);  // as the unit holds it, above 32767

    SimProcess second = quiet_sim();
    const CliRun restored = cli_run(second.device(), {"restore", path("unit.json")});
    ASSERT_EQ(restored.status, 0) << restored.err;
    EXPECT_NE(restored.out.find("Sensor 10; display mode set; the backup was saved " + original.saved_at + " by trelvik-cli "),
              std::string::npos)
        << restored.out;
    ASSERT_EQ(cli_run(second.device(), {"backup", "-o", path("copy.json")}).status, 0);
    EXPECT_EQ(unit_of(backup_file(path("copy.json"))), unit_of(original));
}

TEST_F(CliSimTest, BadUseAndBadFilesSendNothing) {
    // The port does not exist: reaching it would fail with status 1, not 2.
    const std::string nowhere = "/nonexistent/port";
    ASSERT_FALSE(calibration::write_table_file(path("good.csv"), {}));
    QFile broken(path("broken.json"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(R"({"format": "trelvik-unit-backup", "version": 1, "slots": []})");
    broken.close();

    const std::vector<QStringList> cases{
        {"restore", path("broken.json")},
        {"restore", path("missing.json")},
        {"restore", path("good.csv"), "--slot", "11"},
        {"table", "write", "3", path("broken.json")},
        {"table", "write", "0", path("good.csv")},
        {"table", "write", "3", path("good.csv"), "--password", "-1"},
        {"table", "read", "2", "-o", path("no-such-folder/t.csv")},
        {"backup", "-o", "/proc/unit.json"},  // a folder that takes no new file, whatever access() says
        {"backup"},
        {"table", "read", "2", "-o", path("a.csv"), "-o", path("b.csv")},
        {"identity", "201"},
        {"identity", "1", "--trace", path("no-such-folder/trace.txt")},
        {"poll", "1", "--count", "0"},
        {"tare", "1", "--session", path("s.json"), "--max-misses", "0"},
        {"tare", "1", "--session", "/proc/s.json"},  // found before the port is opened
        {"sensor", "1", "set-net", "2.5"},
        {"sensor", "1", "set-low", "--invert"},
        {"password", "set", "5"},
        {"display-mode", "--passive", "--active"},
        {"table", "read"},
        {"--retries", "x", "search"},
        {"frobnicate"},
    };
    for (const QStringList& arguments : cases) {
        const CliRun run = cli_run(nowhere, arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString() << ": " << run.err;
        EXPECT_FALSE(run.err.empty()) << arguments.join(' ').toStdString();
    }
    EXPECT_EQ(cli_run("", {"search"}).status, 2);  // no port at all
    const CliRun missing = cli_run(nowhere, {"search"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("there is no port /nonexistent/port; trelvik-cli ports lists"), std::string::npos) << missing.err;
}

// A hurried mistake in the order of the words is told with where the words go.
TEST(CliArguments, WordsInTheWrongPlaceAreToldWhereTheyGo) {
    const std::pair<QStringList, std::string> rows[] = {
        {{"--force", "backup", "-o", "unit.json"}, "--force is an option of a command (table read, table from-session, tare, "
                                                   "backup): it goes after the command, as in trelvik-cli backup ... --force"},
        {{"3", "table", "read"}, "unknown command \"3\": the command comes first, its arguments after it: trelvik-cli table read"},
        {{"backup", "-o", "--force"}, "-o --force: this looks like an option, not a file name; a file of that name is given as -o ./--force"},
    };
    for (const auto& [arguments, said] : rows) {
        const CliRun run = cli_run("/nonexistent/port", arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(said), std::string::npos) << run.err;
    }
}

TEST_F(CliSimTest, ReadBackThatDiffersFailsWithStatus3AndNamesTheField) {
    SimProcess sim = quiet_sim({"--bad-store"});
    ASSERT_EQ(cli_run(sim.device(), {"backup", "-o", path("unit.json")}).status, 0);

    const CliRun write = cli_run(sim.device(), {"table", "write", "2", path("unit.json")});
    EXPECT_EQ(write.status, 2) << "a backup is no table file";
    ASSERT_FALSE(calibration::write_table_file(path("s2.csv"), backup_file(path("unit.json")).tables[1]));
    const CliRun table = cli_run(sim.device(), {"table", "write", "2", path("s2.csv")});
    EXPECT_EQ(table.status, 3);
    const std::string row40 = "row 40, litres: written 1200, read 1201";
    EXPECT_NE(table.err.find("Sensor 2: the table read back differs"), std::string::npos) << table.err;
    EXPECT_NE(table.err.find(row40), std::string::npos) << table.err;

    const CliRun restore = cli_run(sim.device(), {"restore", path("unit.json"), "--slot", "4", "--slot", "2"});
    EXPECT_EQ(restore.status, 3);
    EXPECT_NE(restore.err.find("restore stopped at Sensor 2; written and verified before it: none"),
              std::string::npos)
        << restore.err;
}

// The line goes after the unit confirmed the write: the slot is written, not verified.
TEST_F(CliSimTest, AWriteConfirmedButNotReadBackSaysSo) {
    SimProcess sim = quiet_sim({"--close-after", "1"});
    ASSERT_FALSE(calibration::write_table_file(path("s2.csv"), calibration::CalibrationTable{}));
    const CliRun write = cli_run(sim.device(), {"table", "write", "2", path("s2.csv")});
    EXPECT_EQ(write.status, 1);
    EXPECT_NE(write.err.find("Sensor 2: the unit confirmed the write, but the table was not read back and compared: "
                             "the port is gone"),
              std::string::npos)
        << write.err;
}

TEST_F(CliSimTest, NoAnswerFailsWithStatus1AfterTheRetries) {
    SimProcess sim = quiet_sim({"--mute", "222"});
    const CliRun run = cli_run(sim.device(), {"--retries", "1", "table", "read", "1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no valid answer to 3E DE EE 00 19 (attempts: 2); last: no answer"), std::string::npos)
        << run.err;
    EXPECT_EQ(logged(sim, "<- 3E DE EE 00 19", 2), 2);

    SimProcess bad_crc = quiet_sim({"--bad-crc", "2"});
    const CliRun identity = cli_run(bad_crc.device(), {"identity", "2", "--retries", "0"});
    EXPECT_EQ(identity.status, 1);
    EXPECT_NE(identity.err.find("(attempts: 1); last: 3E 02 FC"), std::string::npos) << identity.err;
    EXPECT_NE(identity.err.find("(bad CRC: "), std::string::npos) << identity.err;
}

TEST_F(CliSimTest, PasswordIsPresentedFirstAndAWrongOneStops) {
    SimProcess sim = quiet_sim({"--lock-tables", "--password", "4321"});
    ASSERT_FALSE(calibration::write_table_file(path("t.csv"), {}));
    struct Case {
        QStringList extra;
        int status;
        std::string said;
    };
    const Case cases[] = {
        {{}, 1, "the unit refused the table of Sensor 5"},
        {{"--password", "1234"}, 1, "the unit refused the password: wrong password"},
        {{"--password", "4321"}, 0, ""},
    };
    for (const Case& c : cases) {
        const CliRun run = cli_run(sim.device(), QStringList{"table", "write", "5", path("t.csv")} + c.extra);
        EXPECT_EQ(run.status, c.status) << c.extra.join(' ').toStdString() << ": " << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    }
}

TEST_F(CliSimTest, SensorCommandsSearchPollAndIdentity) {
    SimProcess sim = quiet_sim();
    EXPECT_EQ(cli_run(sim.device(), {"search"}).out, "1\n2\n5\n");
    EXPECT_EQ(cli_run(sim.device(), {"sensor", "5", "set-serial", "424242"}).status, 0);
    EXPECT_EQ(cli_run(sim.device(), {"identity", "5"}).out.substr(0, 14), "serial 424242\n");

    const CliRun mode = cli_run(sim.device(), {"sensor", "2", "set-mode", "--output", "analog", "--invert", "--smooth"});
    EXPECT_EQ(mode.out, "sensor 2: mode set to 0B\n") << mode.err;
    // What was done is a sentence for the operator, in the tool's language; data is not.
    language::install(*QCoreApplication::instance(), language::Language::russian);
    const CliRun russian = cli_run(sim.device(), {"sensor", "2", "set-mode", "--output", "analog", "--invert", "--smooth"});
    const CliRun listed = cli_run(sim.device(), {"search"});
    language::install(*QCoreApplication::instance(), language::Language::english);
    EXPECT_EQ(russian.out, "датчик 2: режим установлен: 0B\n") << russian.err;
    EXPECT_EQ(listed.out, "1\n2\n5\n");
    const CliRun poll = cli_run(sim.device(), {"poll", "2", "--count", "2", "--interval", "0"});
    ASSERT_EQ(poll.status, 0) << poll.err;
    std::istringstream lines(poll.out);
    std::string header, first, second, more;
    std::getline(lines, header), std::getline(lines, first), std::getline(lines, second);
    EXPECT_EQ(header, "time,address,temperature,level,current,lower,upper,k,mode");
    EXPECT_FALSE(std::getline(lines, more));
    for (const std::string& line : {first, second}) {
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 8) << line;
        EXPECT_TRUE(line.find(",2,") != std::string::npos && line.ends_with(",11")) << line;  // address 2, mode 0B
    }

    // A trace the disk cannot take: the command's work is done, but not its trace; said at
    // once (the command goes on) and again with the status.
    const CliRun traced = cli_run(sim.device(), {"--trace", "/dev/full", "identity", "5"});
    EXPECT_EQ(traced.status, 1);
    const std::string lost = "the trace in \"/dev/full\" is incomplete";
    const auto said = traced.err.find(lost);
    ASSERT_NE(said, std::string::npos) << traced.err;
    EXPECT_NE(traced.err.find("; the command goes on", said), std::string::npos) << traced.err;
    EXPECT_NE(traced.err.find(lost, said + 1), std::string::npos) << traced.err;
}

TEST_F(CliSimTest, APortHeldByAnotherProgramIsRefusedSoClearly) {
    SimProcess sim = quiet_sim();
    QSerialPort holder(QString::fromStdString(sim.device()));
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    const CliRun run = cli_run(sim.device(), {"search"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("is held by another program"), std::string::npos) << run.err;
}

TEST_F(CliSimTest, CtrlCDuringARestoreFinishesTheSlotInFlightAndSaysWhatWasDone) {
    SimProcess sim({"--no-drift"});  // paced: a table takes about 90 ms on the wire
    ASSERT_FALSE(calibration::write_backup_file(path("unit.json"), UnitBackup{}));
    static cli::Io::Interrupt interrupt;
    cli::install_interrupt_handler(interrupt);
    auto restore = std::async(std::launch::async, [&] { return cli_run(sim.device(), {"restore", path("unit.json")}, &interrupt); });

    std::optional<std::string> line;
    while ((line = sim.line(std::chrono::seconds(5))) && line->find("<- 3E DE EF 00") == std::string::npos) {}
    ASSERT_TRUE(line) << "the first slot was never written";
    std::raise(SIGINT);  // while Sensor 1 is on its way or being read back
    const CliRun run = restore.get();
    EXPECT_EQ(run.status, 130);
    EXPECT_NE(run.err.find("stopped by Ctrl+C: written and verified: Sensor 1; not written: Sensor 2, Sensor 3, Sensor 4, "
                           "Sensor 5, Sensor 6, Sensor 7, Sensor 8, Sensor 9, Sensor 10; display mode not set"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(std::count(line->begin(), line->end(), ' '), 1 + 167) << "the frame went out whole: " << *line;
    std::string rest;
    while ((line = sim.line(std::chrono::milliseconds(300)))) rest += *line + "\n";
    EXPECT_NE(rest.find("<- 3E DE EE 00"), std::string::npos) << "read back\n" << rest;
    EXPECT_EQ(rest.find("<- 3E DE EF 01"), std::string::npos) << "nothing more written\n" << rest;
}

TEST_F(CliSimTest, SetNetWhoseAnswerIsLostAsksTheNewNumberBeforeSendingAgain) {
    SimProcess lost = quiet_sim({"--lose", "1:1"});
    const CliRun moved = cli_run(lost.device(), {"sensor", "1", "set-net", "7"});
    EXPECT_EQ(moved.status, 0) << moved.err;
    EXPECT_EQ(moved.out, "sensor 1: network number set to 7\n");
    EXPECT_EQ(cli_run(lost.device(), {"search"}).out, "2\n5\n7\n") << "sent once";

    SimProcess gone = quiet_sim({"--mute", "1"});
    const CliRun failed = cli_run(gone.device(), {"--retries", "0", "sensor", "1", "set-net", "7"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("nor does a sensor answer at 7"), std::string::npos) << failed.err;
}

TEST_F(CliSimTest, PollRidesOverMissedAnswersUntilTooManyInARowOrThePortIsGone) {
    struct Case {
        std::vector<std::string> faults;
        QStringList extra;
        int status;
        long lines, misses;
        std::string told;
    };
    const Case cases[] = {
        {{"--lose", "2:2"}, {"--count", "3"}, 0, 3, 2, ""},  // every second answer of sensor 2 lost
        {{"--lose", "2:1"}, {"--max-misses", "2"}, 1, 0, 2, "2 polls in a row without an answer"},
        // An adapter pulled out ends it at once, however many misses it may ride over.
        {{"--close-after", "3"}, {"--max-misses", "100"}, 1, 3, 0, "the port is gone"},
    };
    for (const Case& c : cases) {
        SimProcess sim = quiet_sim(c.faults);
        const CliRun run = cli_run(sim.device(), QStringList{"--retries", "0", "poll", "2", "--interval", "0"} + c.extra);
        SCOPED_TRACE(c.faults[0] + ": " + run.err);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1 + c.lines);
        std::size_t misses = 0;
        for (std::size_t at = 0; (at = run.err.find(" no answer: ", at)) != std::string::npos; ++at) ++misses;
        EXPECT_EQ(misses, static_cast<std::size_t>(c.misses));
        EXPECT_NE(run.err.find(c.told), std::string::npos);
    }
}

TEST_F(CliSimTest, GroupHelpListsItsCommands) {
    const std::pair<QString, std::vector<std::string>> groups[] = {
        {"table", {"table read SLOT", "table write SLOT FILE"}},
        {"password", {"password enter N", "password set NEW"}},
        {"sensor", {"set-low", "set-net NEW", "set-mode --output"}},
    };
    for (const auto& [group, listed] : groups) {
        const CliRun run = cli_run("", {group, "--help"});
        EXPECT_EQ(run.status, 0) << run.err;
        for (const std::string& text : listed) EXPECT_NE(run.out.find(text), std::string::npos) << run.out;
    }
    EXPECT_EQ(cli_run("", {"table"}).status, 2);
}

TEST_F(CliSimTest, AFileAlreadyThereIsKeptUnlessForced) {
    put(path("tank.json"), R"({"format": "trelvik-taring-session", "version": 1, "address": 1,
        "points": [{"litres": 0, "level": 0}, {"litres": 10, "level": 40}]})");
    const QStringList writers[] = {
        {"backup", "-o", path("kept")},
        {"table", "read", "3", "-o", path("kept")},
        {"table", "from-session", path("tank.json"), "-o", path("kept")},
        {"tare", "1", "--session", path("new session.json"), "-o", path("kept")},
    };
    for (const QStringList& arguments : writers) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        put(path("kept"), "yesterday's");
        // Refused before the port: reaching it would fail with status 1.
        const CliRun refused = cli_run("/nonexistent/port", arguments);
        EXPECT_EQ(refused.status, 2);
        EXPECT_NE(refused.err.find("kept exists; give --force to replace it"), std::string::npos) << refused.err;
        EXPECT_EQ(contents(path("kept")), "yesterday's");
        EXPECT_FALSE(QFile::exists(path("new session.json")));
    }

    SimProcess sim = quiet_sim();
    for (const QStringList& arguments : {writers[0], writers[1], writers[2]}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        put(path("kept"), "yesterday's");
        const CliRun forced = cli_run(sim.device(), arguments + QStringList{"--force"});
        EXPECT_EQ(forced.status, 0) << forced.err;
        EXPECT_NE(contents(path("kept")), "yesterday's");
    }
}

TEST_F(CliSimTest, ATraceOrAnOutputNeverTakesTheCommandsOwnFile) {
    ASSERT_FALSE(calibration::write_backup_file(path("unit.json"), {}));
    put(path("tank.json"), R"({"format": "trelvik-taring-session", "version": 1, "address": 1, "points": []})");
    put(path("trace.txt"), "yesterday's trace");
    ASSERT_EQ(::link(path("unit.json").toLocal8Bit().constData(), path("linked").toLocal8Bit().constData()), 0);
    const struct {
        QStringList arguments;
        std::string told;  // empty: any refusal for bad use
    } cases[] = {
        // Refused for bad use: the trace file is not replaced before the port is opened.
        {{"--trace", path("trace.txt"), "table", "read", "11"}, ""},
        {{"restore", "--trace", path("unit.json")}, ""},  // the backup taken for the trace's name
        {{"--trace", path("unit.json"), "restore", path("unit.json")}, "unit.json is one of the command's own files"},
        {{"--trace", path("linked"), "restore", path("unit.json")}, "linked is one of the command's own files"},  // a hard link
        {{"--trace", path("tank.json"), "tare", "1", "--session", path("tank.json")}, "tank.json is one of the command's own files"},
        {{"table", "from-session", path("tank.json"), "-o", path("./tank.json"), "--force"}, "tank.json is the file the command reads"},
        {{"tare", "1", "--session", path("tank.json"), "-o", path("tank.json"), "--force"}, "tank.json is the file the command reads"},
    };
    for (const auto& [arguments, told] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const QByteArray backup = contents(path("unit.json")), session = contents(path("tank.json"));
        const CliRun run = cli_run("/nonexistent/port", arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(told), std::string::npos) << run.err;
        EXPECT_EQ(contents(path("trace.txt")), "yesterday's trace");
        EXPECT_EQ(contents(path("unit.json")), backup);
        EXPECT_EQ(contents(path("tank.json")), session);
    }
}

// A hung-up terminal and SIGTERM stop a change between two frames, as Ctrl+C does; they
// come twice on their own (a shell's hang-up, then the kernel's), which is no second Ctrl+C.
TEST(CliInterrupt, AHungUpTerminalAndSigtermStopAsCtrlCDoes) {
    static cli::Io::Interrupt interrupt;
    cli::install_interrupt_handler(interrupt);
    const std::pair<int, std::string> cases[] = {
        {SIGINT, "stopped by Ctrl+C"},
        {SIGHUP, "stopped as the console closes (its window or terminal closed"},
        {SIGTERM, "stopped as the program was told to end (SIGTERM)"},
    };
    for (const auto& [signal, told] : cases) {
        interrupt.wanted = 1;
        interrupt.caught = 0;
        std::raise(signal);
        if (signal != SIGINT) std::raise(signal);  // still here
        EXPECT_TRUE(cli::stopped_by(interrupt).starts_with(told)) << cli::stopped_by(interrupt);
    }
    // One ignored by whoever started the tool (nohup) stays ignored.
    std::signal(SIGHUP, SIG_IGN);
    cli::install_interrupt_handler(interrupt);
    struct sigaction now {};
    ASSERT_EQ(sigaction(SIGHUP, nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, SIG_IGN);
}

TEST_F(CliSimTest, AFileForAnotherCommandIsNamedWithThatCommand) {
    // Told by what the file holds, not by its name; the port is never reached.
    ASSERT_FALSE(calibration::write_table_file(path("Sensor 3.csv"), {}));
    ASSERT_FALSE(calibration::write_table_file(path("table.json"), {}));
    put(path("csv named json.json"), contents(path("Sensor 3.csv")));
    put(path("broken table.csv"), "Сет. номер;13\nОтключен;может быть\n");
    ASSERT_FALSE(calibration::write_backup_file(path("unit.csv"), {}));
    put(path("tank.json"), R"({"format": "trelvik-taring-session", "version": 1, "address": 1, "points": []})");
    put(path("notes.txt"), "hello");
    const std::string table_hint = " holds one slot's table, not a backup of a unit: trelvik-cli table write SLOT ";
    const struct {
        QStringList arguments;
        std::string told;
    } cases[] = {
        {{"restore", path("Sensor 3.csv")}, table_hint + "\"" + path("Sensor 3.csv").toStdString() + "\" writes it"},
        {{"restore", path("table.json")}, table_hint},
        {{"restore", path("csv named json.json")}, table_hint},
        {{"restore", path("broken table.csv")}, table_hint},
        {{"restore", path("tank.json")}, "tank.json is a taring session, not a backup of a unit: trelvik-cli table from-session "},
        {{"restore", path("notes.txt")}, "notes.txt: not JSON: "},
        {{"table", "write", "3", path("unit.csv")},
         "unit.csv is a backup of a whole unit, not one slot's table: trelvik-cli restore " + path("unit.csv").toStdString() +
             " --slot 3 writes its Sensor 3 back"},
        {{"table", "write", "3", path("tank.json")}, "tank.json is a taring session, not a slot's table: trelvik-cli table from-session "},
        {{"table", "from-session", path("Sensor 3.csv")}, "Sensor 3.csv holds one slot's table, not a taring session: trelvik-cli table write SLOT "},
        {{"tare", "1", "--session", path("unit.csv")}, "unit.csv is a backup of a unit, not a taring session: trelvik-cli restore "},
    };
    for (const auto& [arguments, told] : cases) {
        const CliRun run = cli_run("/nonexistent/port", arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_NE(run.err.find(told), std::string::npos) << run.err;
    }
}

// The program picks its language before it words anything: --lang wherever it stands,
// then TRELVIK_LANG, then the system's; a --lang that names no language is said and the
// choice goes on. Only the messages change: the exit status stays.
TEST(CliLanguage, TheOptionThenTheVariableChooseTheLanguage) {
    struct Row {
        QStringList arguments;
        QString variable;  // TRELVIK_LANG
        std::vector<std::string> said;
    };
    const Row rows[] = {
        {{"--lang", "ru", "identity", "1"}, "en", {"порт не задан"}},
        {{"identity", "1", "--lang=ru"}, "", {"порт не задан"}},
        {{"identity", "1"}, "ru", {"порт не задан"}},
        {{"--lang", "en", "identity", "1"}, "ru", {"no port: give --port PORT"}},
        {{"--lang", "xx", "identity", "1"}, "en", {"no language \"xx\"", "no port"}},
    };
    for (const Row& row : rows) {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("TRELVIK_PORT");
        environment.insert("LANG", "C");
        environment.remove("LC_ALL");
        environment.remove("LANGUAGE");
        if (row.variable.isEmpty()) environment.remove("TRELVIK_LANG");
        else environment.insert("TRELVIK_LANG", row.variable);
        tool.setProcessEnvironment(environment);
        tool.start(TRELVIK_CLI_PATH, row.arguments);
        ASSERT_TRUE(tool.waitForFinished(20'000));
        const std::string err = tool.readAllStandardError().toStdString();
        SCOPED_TRACE(row.arguments.join(' ').toStdString() + " TRELVIK_LANG=" + row.variable.toStdString() + ": " + err);
        EXPECT_EQ(tool.exitCode(), 2);
        for (const std::string& text : row.said) EXPECT_NE(err.find(text), std::string::npos) << text;
    }
}

// A request that got nothing usable is worded whole in the tool's language, the fault of
// the last answer included; the frames stay hexadecimal in both.
TEST(CliLanguage, ALineFailureIsWordedWholeInTheToolsLanguage) {
    using protocol::Text;
    const protocol::Bytes bad_crc{0x3E, 0x02, 0xFC, 0x00};
    const exchange::RequestFailure gone{"31 01 F0 C5", 2, true, "", {}};
    const exchange::RequestFailure short_write{"31 01 F0 C5", 3, false, "",
                                               {"RequestReply", "порт принял байтов: %1 из %2", {2LL, 4LL}}};
    const exchange::RequestFailure bad{"31 02 FC 33", 1, false, "3E 02 FC 00",
                                       *protocol::reply_problem(bad_crc, {0x3E, {0xFC}, 4})};
    struct Row {
        language::Language language;
        const exchange::RequestFailure& failure;
        std::string said;
    };
    const Row rows[] = {
        {language::Language::english, gone, "the port is gone; 31 01 F0 C5 was not sent"},
        {language::Language::russian, gone, "порт пропал; 31 01 F0 C5 не отправлен"},
        {language::Language::english, short_write, "no valid answer to 31 01 F0 C5 (attempts: 3); last: the port took 2 of 4 bytes"},
        {language::Language::russian, short_write, "нет исправного ответа на 31 01 F0 C5 (попыток: 3); последнее: порт принял байтов: 2 из 4"},
        {language::Language::english, bad, "no valid answer to 31 02 FC 33 (attempts: 1); last: 3E 02 FC 00 (bad CRC: 00, computed 6C)"},
        {language::Language::russian, bad, "нет исправного ответа на 31 02 FC 33 (попыток: 1); последнее: 3E 02 FC 00 (неверная CRC: 00, вычислена 6C)"},
    };
    for (const Row& row : rows) {
        language::install(*QCoreApplication::instance(), row.language);
        EXPECT_EQ(cli::DeviceOps::failure_text(row.failure), row.said);
    }
    language::install(*QCoreApplication::instance(), language::Language::english);
}
