// trelvik-cli tare as a technician runs it, against the simulator's tank: pours typed on
// both sides, a point taken back, the program killed and started again on its session
// file, and the table written to a slot at the end; answers missed and a port gone, a
// refused start, and an end of input at a terminal with Ctrl+C behind it. And table
// from-session on good and bad session files.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <csignal>
#include <fstream>
#include <sstream>

#include "calibration/table_file.h"
#include "cli.h"
#include "support/sim_process.h"
#include "taring/session_file.h"

namespace {

constexpr int wait_ms = 20'000;

class Tare {
public:
    Tare(const SimProcess& sim, const QString& session, const QString& table) {
        process_.start(TRELVIK_CLI_PATH, {"--lang", "en", "--port", QString::fromStdString(sim.device()), "tare", "1", "--session", session,
                                          "--settle", "1", "--tolerance", "6", "--slot", "2", "-o", table});
    }
    ~Tare() {
        process_.kill();
        process_.waitForFinished();
    }
    Tare(const Tare&) = delete;
    Tare& operator=(const Tare&) = delete;

    void type(const char* line) { process_.write(QByteArray(line) + "\n"); }

    // The next line of standard output.
    std::string line() {
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(wait_ms)) return "(nothing: " + err() + ")";
        return process_.readLine().trimmed().toStdString();
    }

    // Input ended: the table is made; the exit status.
    int finish() {
        process_.closeWriteChannel();
        process_.waitForFinished(wait_ms);
        return process_.exitCode();
    }
    void kill() {
        process_.kill();
        process_.waitForFinished();
    }
    std::string err() { return process_.readAllStandardError().toStdString(); }
    // Standard error until it holds `text`.
    std::string err_until(const std::string& text) {
        std::string got = err();
        process_.setReadChannel(QProcess::StandardError);
        while (got.find(text) == std::string::npos && process_.waitForReadyRead(wait_ms)) got += err();
        process_.setReadChannel(QProcess::StandardOutput);
        return got;
    }

private:
    QProcess process_;
};

// The level the tank settles at after the last command, as the simulator logs it.
int settling_level(SimProcess& sim) {
    while (const auto line = sim.line(std::chrono::seconds(5)))
        if (const auto at = line->find("settling at "); at != std::string::npos) return std::stoi(line->substr(at + 12));
    return -1;
}

// How near a point's level comes to where the surface settles: a window is calm once its
// spread is within the tolerance (2), which the tail of the surface's approach and a unit
// of noise can meet while its middle is still 2.5 short, and a table row rounds that.
constexpr double settled_within = 3;

// "point,litres,level,spread": the point's number and litres, and its level within a few units of `settled`.
void expect_point(const std::string& line, const std::string& number_and_litres, int settled) {
    ASSERT_TRUE(line.starts_with(number_and_litres + ",")) << line;
    const double level = std::stod(line.substr(number_and_litres.size() + 1));
    EXPECT_LE(std::abs(level - settled), settled_within) << line;
}

// `poured` litres into the simulator's tank, `typed` at the prompt, and the point that
// follows checked; the level the tank settled at.
int pour(SimProcess& sim, Tare& tare, const std::string& poured, const char* typed, const std::string& point) {
    sim.type("pour " + poured);
    const int settled = settling_level(sim);
    tare.type(typed);
    expect_point(tare.line(), point, settled);
    return settled;
}

}  // namespace

TEST(TareSim, PoursUndoAndARestartGiveTheTableWrittenToTheSlot) {
    SimProcess sim({"--tank", "1:1000"});
    QTemporaryDir dir;
    const QString session = dir.filePath("tank.json"), table = dir.filePath("tank.csv");
    {
        Tare tare(sim, session, table);
        EXPECT_EQ(tare.line(), "point,litres,level,spread");
        expect_point(tare.line(), "1,0", 0);
        tare.type("undo");  // the starting point is taken again at once, not from the next portion
        expect_point(tare.line(), "1,0", 0);
        const int at_100 = pour(sim, tare, "100", "100", "2,100");
        tare.type("1 00");  // a gap in the number: asked again, nothing taken
        // Taken back and taken again: the tank still holds 100 litres.
        tare.type("undo");
        tare.type("100");
        expect_point(tare.line(), "2,100", at_100);
        tare.kill();
        const std::string err = tare.err();
        EXPECT_NE(err.find("its fuel is still in the tank: type the portion again without pouring again"), std::string::npos);
        EXPECT_NE(err.find("\"1 00\": type the number without blanks: 100"), std::string::npos) << err;
    }
    Tare tare(sim, session, table);
    EXPECT_EQ(tare.line(), "point,litres,level,spread");
    const int at_250 = pour(sim, tare, "150,5", "150,5", "3,250.5");
    EXPECT_EQ(tare.finish(), 0);
    const std::string err = tare.err();
    EXPECT_NE(err.find("Sensor 2: written and verified"), std::string::npos) << err;

    const auto written = std::get<calibration::CalibrationTable>(calibration::read_table_file(table));
    EXPECT_EQ(written.net, 1);
    EXPECT_EQ(written.litres.front(), 0);
    EXPECT_EQ(written.litres.back(), 250);  // 250.5 rounded to the even neighbour
    EXPECT_LE(std::abs(written.values.back() - at_250), settled_within);
    const auto kept = taring::read_session_file(session);
    ASSERT_TRUE(std::holds_alternative<taring::TaringSession>(kept));
    EXPECT_TRUE(std::get<taring::TaringSession>(kept).finished) << "the window must not offer it again";
}

namespace {

struct TareRun {
    int status = -1;
    std::string out;
    std::string err;
};

// tare in-process, with no input at all (it ends once the first point is taken) or `in`.
TareRun tare_run(const SimProcess& sim, const QStringList& arguments, std::istream* in = nullptr) {
    std::ostringstream out, err;
    cli::Io io{out, err};
    io.in = in;
    const int status = cli::run(arguments, QString::fromStdString(sim.device()), io);
    return {status, out.str(), err.str()};
}

// Waits for the simulator's next log line that holds `text`.
bool logged(SimProcess& sim, const std::string& text) {
    while (const auto line = sim.line(std::chrono::seconds(5)))
        if (line->find(text) != std::string::npos) return true;
    return false;
}

long count(const std::string& text, const std::string& what) {
    long n = 0;
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) ++n;
    return n;
}

}  // namespace

// The table file was free when the session began; one put there meanwhile is kept, and
// the session stays unfinished for `table from-session`.
TEST(TareSim, FilesHeldDuringTheSessionLoseNothing) {
    SimProcess sim({"--tank", "1:1000"});
    QTemporaryDir dir;
    const QString session = dir.filePath("tank.json"), table = dir.filePath("tank.csv");
    Tare tare(sim, session, table);
    EXPECT_EQ(tare.line(), "point,litres,level,spread");
    expect_point(tare.line(), "1,0", 0);

    // The session file held while a point settles (a folder in its place here): the point
    // is not taken, the session goes on, and the portion is typed again without pouring.
    ASSERT_TRUE(QFile::remove(session) && QDir().mkdir(session));
    sim.type("pour 100");
    const int settled = settling_level(sim);
    tare.type("100");
    const std::string held = tare.err_until("without pouring");
    EXPECT_NE(held.find("point 2 was not taken"), std::string::npos) << held;
    tare.type("done");  // no table without that portion
    const std::string refused = tare.err_until("then done");
    EXPECT_NE(refused.find("the 100 L poured were taken by no point"), std::string::npos) << refused;
    tare.type("undo");  // the point before it stays: the portion comes first
    const std::string first = tare.err_until("first, without pouring");
    EXPECT_NE(first.find("the 100 L poured are not yet taken"), std::string::npos) << first;
    ASSERT_TRUE(QDir().rmdir(session));
    tare.type("100");
    expect_point(tare.line(), "2,100", settled);

    // A table file made by someone else meanwhile is kept.
    QFile someones(table);
    ASSERT_TRUE(someones.open(QIODevice::WriteOnly) && someones.write("someone's") == 9);
    someones.close();

    EXPECT_EQ(tare.finish(), 1);
    const std::string err = tare.err();
    EXPECT_NE(err.find("appeared during the taring and was not replaced"), std::string::npos) << err;
    EXPECT_NE(err.find("table from-session"), std::string::npos) << err;
    ASSERT_TRUE(someones.open(QIODevice::ReadOnly));
    EXPECT_EQ(someones.readAll(), "someone's");
    const auto kept = taring::read_session_file(session);
    ASSERT_TRUE(std::holds_alternative<taring::TaringSession>(kept));
    EXPECT_FALSE(std::get<taring::TaringSession>(kept).finished);
}

TEST(TareSim, RidesOverMissedAnswersUntilTooManyInARowOrThePortIsGone) {
    struct Row {
        std::vector<std::string> sim;
        int status;
        const char* told;  // on standard error
        long misses;       // -1: some
    };
    const Row rows[] = {
        // Every second answer lost: the point is taken all the same; one point makes no table.
        {{"--lose", "1:2"}, 2, "a table needs at least 2 points", -1},
        // A session gone on with while its sensor is quiet, and input that has not ended.
        {{"--mute", "1"}, 1, "3 polls in a row without an answer", 3},
        {{"--close-after", "3"}, 1, "the port is gone", 0},
    };
    int never_ends[2];
    ASSERT_EQ(pipe(never_ends), 0);  // the write end stays open
    static std::ifstream waiting("/proc/self/fd/" + std::to_string(never_ends[0]));
    QTemporaryDir dir;
    for (const Row& row : rows) {
        std::vector<std::string> options{"--tank", "1:1000"};
        options.insert(options.end(), row.sim.begin(), row.sim.end());
        SimProcess sim(options);
        const QString session = dir.filePath(QString::fromStdString(row.sim[0] + ".json"));
        const bool resumed = row.sim[0] == "--mute";
        if (resumed) {
            QFile file(session);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(R"({"format":"trelvik-taring-session","version":1,"address":1,"points":[{"litres":0,"level":0}]})");
        }
        const TareRun run = tare_run(sim, {"--retries", "0", "tare", "1", "--session", session, "--settle", "1",
                                       "--tolerance", "6", "--max-misses", "3"},
                                     resumed ? &waiting : nullptr);
        SCOPED_TRACE(row.sim[0] + ": " + run.err);
        EXPECT_EQ(run.status, row.status);
        EXPECT_NE(run.err.find(row.told), std::string::npos);
        const long misses = count(run.err, " no answer: ");
        if (row.misses < 0) {
            EXPECT_GT(misses, 0);
            EXPECT_NE(run.out.find("\n1,0,"), std::string::npos) << run.out;
        } else {
            EXPECT_EQ(misses, row.misses);
        }
        if (row.status == 1) {
            EXPECT_NE(run.err.find("is saved in " + session.toStdString()), std::string::npos);
        }
    }
}

TEST(TareSim, ASessionFileIsLeftAloneUntilTheChecksHavePassed) {
    SimProcess sim({"--tank", "1:1000", "--password", "4321"});
    QTemporaryDir dir;
    // Another sensor's session, laid out as the tool would not write it.
    const QString foreign = dir.filePath("foreign.json");
    const QByteArray text = R"({"format":"trelvik-taring-session","version":1,"address":1,"serial":999,)"
                            R"("points":[{"litres":0,"level":0}]})";
    QFile file(foreign);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    const TareRun other_sensor = tare_run(sim, {"tare", "1", "--session", foreign});
    EXPECT_EQ(other_sensor.status, 2) << other_sensor.err;
    EXPECT_NE(other_sensor.err.find("serial number 999"), std::string::npos) << other_sensor.err;
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), text);

    // A session without a point, begun where no sensor answered: the sensor tared now takes
    // it over, and what the tool does not know stays in it.
    const QString empty = dir.filePath("empty.json");
    QFile begun(empty);
    ASSERT_TRUE(begun.open(QIODevice::WriteOnly));
    begun.write(R"({"format":"trelvik-taring-session","version":1,"address":3,"points":[],"vehicle":"AB 123"})");
    begun.close();
    const TareRun taken_over = tare_run(sim, {"tare", "1", "--session", empty, "--settle", "1", "--tolerance", "6"});
    EXPECT_NE(taken_over.out.find("\n1,0,"), std::string::npos) << taken_over.err;
    ASSERT_TRUE(begun.open(QIODevice::ReadOnly));
    const QByteArray kept = begun.readAll();
    EXPECT_TRUE(kept.contains(R"("address": 1)") && kept.contains("AB 123")) << kept.toStdString();

    const QString fresh = dir.filePath("fresh.json");
    const TareRun wrong_password = tare_run(sim, {"tare", "1", "--session", fresh, "--password", "1"});
    EXPECT_EQ(wrong_password.status, 1) << wrong_password.err;
    EXPECT_FALSE(QFile::exists(fresh));
    // No sensor at the address (a slip of the finger): neither its number nor a poll answers.
    const TareRun nobody = tare_run(sim, {"tare", "3", "--session", fresh, "--retries", "0"});
    EXPECT_EQ(nobody.status, 1) << nobody.err;
    EXPECT_NE(nobody.err.find("sensor 3 does not answer; check the address"), std::string::npos) << nobody.err;
    EXPECT_FALSE(QFile::exists(fresh));
}

// On a console Ctrl+C ends the pending read before its handler has said so: an end of
// input at a terminal followed by a stop is no "done".
TEST(TareSim, AnEndOfInputAtATerminalWithAStopOnItsWayIsAStop) {
    SimProcess sim({"--tank", "1:1000"});
    // The terminal's far end, held by this process alone: closing it ends the tool's input.
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_TRUE(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
    QTemporaryDir dir;
    const QString session = dir.filePath("tank.json"), table = dir.filePath("tank.csv");
    // Two points already: an end of input taken for done makes the table and writes it.
    QFile file(session);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "trelvik-taring-session", "version": 1, "address": 1,)"
               R"( "points": [{"litres": 0, "level": 0}, {"litres": 100, "level": 500}]})");
    file.close();
    QProcess tare;
    tare.setStandardInputFile(QString::fromLocal8Bit(ptsname(terminal)));
    tare.start(TRELVIK_CLI_PATH, {"--lang", "en", "--port", QString::fromStdString(sim.device()), "tare", "1", "--session",
                                  session, "--slot", "2", "-o", table});
    while (!tare.canReadLine()) ASSERT_TRUE(tare.waitForReadyRead(wait_ms)) << tare.readAllStandardError().toStdString();
    ASSERT_EQ(tare.readLine().trimmed(), "point,litres,level,spread");
    while (sim.line(std::chrono::milliseconds(0))) {}
    ASSERT_TRUE(logged(sim, "<- 31 01 F0"));  // a poll at the prompt
    close(terminal);  // the end of input comes first...
    const bool polled_on = logged(sim, "<- 31 01 F0");
    if (tare.state() == QProcess::Running) kill(static_cast<pid_t>(tare.processId()), SIGINT);  // ...the stop after
    ASSERT_TRUE(tare.waitForFinished(wait_ms));
    EXPECT_TRUE(polled_on) << "the tool took the end of input for done at once";
    EXPECT_EQ(tare.exitCode(), 130) << tare.readAllStandardError().toStdString();
    EXPECT_FALSE(QFile::exists(table));
    while (const auto line = sim.line(std::chrono::milliseconds(0))) EXPECT_EQ(line->find("<- 3E DE EF"), std::string::npos) << *line;
    const auto kept = taring::read_session_file(session);
    ASSERT_TRUE(std::holds_alternative<taring::TaringSession>(kept));
    EXPECT_FALSE(std::get<taring::TaringSession>(kept).finished);
}

TEST(TableFromSession, MakesTheTableOrSaysWhyNot) {
    struct Row {
        const char* points;
        int status;
        const char* told;  // on standard error
    };
    const Row rows[] = {
        {R"([{"litres": 0, "level": 0}, {"litres": 10, "level": 40}, {"litres": 20, "level": 90}])", 0,
         "table: 40 rows from 3 points; passes through every point\n"},
        {R"([{"litres": 0, "level": 0}, {"litres": 10.4, "level": 40}, {"litres": 20, "level": 90}])", 0,
         "table: 40 rows from 3 points; passes through every point, its litres whole: off by up to 0.40 L at point 2"},
        {R"([{"litres": 0, "level": 0}, {"litres": 10, "level": 40}, {"litres": 20, "level": 30}])", 2,
         "point 3: level 30 at 20 litres is below level 40 of point 2"},
        {R"([{"litres": 0, "level": 0}, {"litres": 10}])", 2, "field \"points[1].level\": no such field"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("s.json");
    for (const Row& row : rows) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(R"({"format": "trelvik-taring-session", "version": 1, "address": 3, "points": )") + row.points + "}");
        file.close();
        std::ostringstream out, err;
        cli::Io io{out, err};
        EXPECT_EQ(cli::run({"table", "from-session", path}, {}, io), row.status) << err.str();
        EXPECT_NE(err.str().find(row.told), std::string::npos) << err.str();
        if (row.status == 0) {
            // The labels of the tool's language, English here.
            EXPECT_TRUE(out.str().starts_with("\xEF\xBB\xBFNetwork number;3\r\nSwitched off;no\r\n")) << out.str();
        }
    }

    // A table that standard output cannot take (a full disk) is no success.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(R"({"format": "trelvik-taring-session", "version": 1, "address": 3, "points": )") + rows[0].points + "}");
    file.close();
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    cli::Io io{out, err};
    EXPECT_EQ(cli::run({"table", "from-session", path}, {}, io), 1);
    EXPECT_NE(err.str().find("standard output"), std::string::npos) << err.str();

    // An empty -o, as an unset variable in a script gives it, is no standard output.
    std::ostringstream out2, err2;
    cli::Io io2{out2, err2};
    EXPECT_EQ(cli::run({"table", "from-session", path, "-o", ""}, {}, io2), 2);
    EXPECT_NE(err2.str().find("-o: the file name is empty"), std::string::npos) << err2.str();
    EXPECT_TRUE(out2.str().empty());
}

// "4" typed for a pour of 40 litres: the point is taken as typed, and the portion is
// flagged once, while undo can still take it back.
TEST(TareSim, APortionThatLooksMistypedIsFlaggedOnce) {
    SimProcess sim({"--tank", "1:1000"});
    QTemporaryDir dir;
    Tare tare(sim, dir.filePath("tank.json"), dir.filePath("tank.csv"));
    EXPECT_EQ(tare.line(), "point,litres,level,spread");
    expect_point(tare.line(), "1,0", 0);
    struct Pour {
        const char* typed;
        const char* point;
    };
    for (const Pour& p : {Pour{"40", "2,40"}, Pour{"40", "3,80"}, Pour{"4", "4,84"}, Pour{"40", "5,124"}})
        pour(sim, tare, "40", p.typed, p.point);
    EXPECT_EQ(tare.finish(), 0);
    const std::string err = tare.err();
    EXPECT_EQ(count(err, "a typo?"), 1) << err;
    EXPECT_NE(err.find("point 4: 4 L over "), std::string::npos) << err;
    // The tank widens with height: the neighbours' portions take less than the 40 poured.
    EXPECT_NE(err.find(" level steps, the neighbouring portions take about "), std::string::npos) << err;
}
