// trelvik-cli tare as a technician runs it, against the simulator's tank: pours typed on
// both sides, a point taken back, the program killed and started again on its session
// file, and the table written to a slot at the end. And table from-session on good and
// bad session files.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <sstream>

#include "calibration/table_file.h"
#include "cli.h"
#include "support/sim_process.h"

namespace {

constexpr int wait_ms = 20'000;

class Tare {
public:
    Tare(const SimProcess& sim, const QString& session, const QString& table) {
        process_.start(TRELVIK_CLI_PATH, {"--port", QString::fromStdString(sim.device()), "tare", "1", "--session", session,
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

private:
    QProcess process_;
};

// The level the tank settles at after the last command, as the simulator logs it.
int settling_level(SimProcess& sim) {
    while (const auto line = sim.line(std::chrono::seconds(5)))
        if (const auto at = line->find("settling at "); at != std::string::npos) return std::stoi(line->substr(at + 12));
    return -1;
}

// "point,litres,level,spread": the point's number and litres, and its level within a few units of `settled`.
void expect_point(const std::string& line, const std::string& number_and_litres, int settled) {
    ASSERT_TRUE(line.starts_with(number_and_litres + ",")) << line;
    const double level = std::stod(line.substr(number_and_litres.size() + 1));
    EXPECT_LE(std::abs(level - settled), 2) << line;
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
        sim.type("pour 100");
        const int at_100 = settling_level(sim);
        tare.type("100");
        expect_point(tare.line(), "2,100", at_100);
        // Taken back and taken again: the tank still holds 100 litres.
        tare.type("undo");
        tare.type("100");
        expect_point(tare.line(), "2,100", at_100);
        tare.kill();
    }
    Tare tare(sim, session, table);
    EXPECT_EQ(tare.line(), "point,litres,level,spread");
    sim.type("pour 150,5");
    const int at_250 = settling_level(sim);
    tare.type("150,5");
    expect_point(tare.line(), "3,250.5", at_250);
    EXPECT_EQ(tare.finish(), 0);
    const std::string err = tare.err();
    EXPECT_NE(err.find("Sensor 2: written and verified"), std::string::npos) << err;

    const auto written = std::get<calibration::CalibrationTable>(calibration::read_table_file(table));
    EXPECT_EQ(written.net, 1);
    EXPECT_EQ(written.litres.front(), 0);
    EXPECT_EQ(written.litres.back(), 250);  // 250.5 rounded to the even neighbour
    EXPECT_LE(std::abs(written.values.back() - at_250), 2);
}

TEST(TableFromSession, MakesTheTableOrSaysWhyNot) {
    struct Row {
        const char* points;
        int status;
        const char* told;  // on standard error
    };
    const Row rows[] = {
        {R"([{"litres": 0, "level": 0}, {"litres": 10, "level": 40}, {"litres": 20, "level": 90}])", 0,
         "table: 40 rows from 3 points, largest deviation 0.00 L"},
        {R"([{"litres": 0, "level": 0}, {"litres": 10, "level": 40}, {"litres": 20, "level": 30}])", 2,
         "точка 3: уровень 30 при 20 л ниже уровня 40 у точки 2"},
        {R"([{"litres": 0, "level": 0}, {"litres": 10}])", 2, "поле «points[1].level»: нет такого поля"},
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
            EXPECT_TRUE(out.str().starts_with("\xEF\xBB\xBFСет. номер;3\r\nОтключен;нет\r\n")) << out.str();
        }
    }
}
