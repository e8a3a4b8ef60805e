#pragma once
// The window "Тарировка бака": a tank tared at the vehicle with the console open. It is
// fed the levels of the sensor being tared from the exchange cycle's polls, shows the
// level and whether it has settled, takes a point after each pour once the level is
// steady, keeps the session on disk after every point, draws the points and the table
// built from them, and at the end hands the table to the main window's grid. It sends
// nothing itself.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "calibration/table_frame.h"
#include "console/dialogs.h"
#include "taring/portion_check.h"
#include "taring/settle_detector.h"
#include "taring/table_builder.h"
#include "taring/taring_session.h"

class SettleStrip;
class TaringChartView;

// The sensor being tared and the slot its table is for.
struct TaringTarget {
    int address = 0;
    int slot = 0;       // 0 for the first slot
    QString slot_name;  // as the slot list names it: "Sensor 1"
};

class TaringWindow final : public QWidget {
    Q_OBJECT

public:
    using Clock = std::function<double()>;  // seconds on a clock that does not run backwards

    // Sessions are kept in `folder`. `clock` times the polls; by default a steady clock.
    // New sessions are kept in the first of `folders`; unfinished ones are looked for in all.
    TaringWindow(Dialogs& dialogs, TaringTarget target, QStringList folders, Clock clock = {},
                 QWidget* parent = nullptr);
    ~TaringWindow() override;

    // ---- Controls -----------------------------------------------------------------
    QLabel* sensor_line;   // the sensor, its serial number and the slot
    QLabel* session_line;  // the session's file
    QLabel* level_figure;  // the live level, in large figures
    SettleStrip* settle_strip;  // the level over the last settle time, with the tolerance band
    QLabel* state_line;    // settling or steady
    QLineEdit* poured;     // "Долито, л"
    QPushButton* take_point;
    QPushButton* undo_point;
    QLineEdit* settle_field;     // "Успокоение, с"
    QLineEdit* tolerance_field;  // "Допуск"
    QTableWidget* point_list;
    TaringChartView* chart;
    QLabel* deviation_line;
    QLineEdit* vehicle;
    QLineEdit* tank;
    QLineEdit* technician;
    QPushButton* save_report;
    QPushButton* done;
    QLabel* status_line;

    // ---- Fed by the exchange cycle ------------------------------------------------
    // A polled level; levels of other sensors are passed over.
    void level_read(int address, std::uint16_t level);
    // The address the main window polls at its tick: -1 when none is chosen, nullopt
    // while its poll is off. Levels of the sensor tared stop when it polls another.
    void main_polls(std::optional<int> address);
    // The sensor's identity: names the session's file and finds an unfinished session.
    void identity_read(int address, std::optional<std::uint32_t> serial, const QString& version);
    // Begins at once with what is known when the window opens; without a serial number
    // it waits for identity_read, or for the first point.
    void begin(std::optional<std::uint32_t> serial, const QString& version);
    // Where "Готово" hands the table for the slot, the sensor's address as its network
    // number: true when it was taken, false when unsent work there was kept instead.
    using TableTaker = std::function<bool(const calibration::CalibrationTable& table, int slot)>;
    void hand_tables_to(TableTaker taker) { take_table_ = std::move(taker); }

    // ---- Handlers -----------------------------------------------------------------
    void take_point_Click();
    void undo_point_Click();
    void done_Click();
    void save_report_Click();

    const TaringTarget& target() const { return target_; }
    const taring::TaringSession& session() const { return session_; }
    const QString& session_path() const { return path_; }
    bool waiting() const { return waiting_for_.has_value(); }  // a point waits for a steady level

signals:
    void closed();
    // A point waits for the level: the sensor at the address is asked who it is, so one
    // put there since the last point feeds it no level.
    void watching();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build_controls();
    // Opens the session file: an unfinished one of this sensor if the technician goes
    // on with it, else a new one. Runs once.
    void start_session();
    bool read_settings();  // the settle time and tolerance from their fields
    void take(double litres, const taring::Settled& settled);
    bool save();  // writes the session; false after a box that says why
    // The points and the finished mark as the file at `path` holds them, after a failed save.
    void put_back(const taring::TaringSession& kept, const QString& path);
    void show_points();
    void show_waiting();
    void show_state();
    void show_sensor();
    void show_status(const QString& text);
    std::optional<double> litres_typed();
    // False once the sensor at the address tells another serial number than the session's:
    // its levels are not this tank's.
    bool sensor_matches() const;
    // Says so and offers the sensor now at the address a session of its own.
    void offer_own_session();

    Dialogs& dialogs_;
    TaringTarget target_;
    QStringList folders_;
    QString folder_;  // the first of them
    Clock clock_;
    std::optional<std::uint32_t> serial_;
    QString version_;
    TableTaker take_table_;
    bool asking_to_close_ = false;  // the close question is open: no point is taken behind it
    bool started_ = false;
    QString path_;
    taring::TaringSession session_;
    double settle_ = taring::default_settle_seconds;
    double tolerance_ = taring::default_tolerance;
    taring::SettleDetector detector_{settle_, tolerance_, taring::window_poll_gap_seconds};
    std::optional<taring::Settled> steady_;  // the latest poll's verdict
    std::optional<double> waiting_for_;      // the litres of the point that waits
    std::optional<std::uint16_t> level_;
    std::optional<int> main_polls_;  // as main_polls() last told
    bool main_polls_told_ = false;
    double level_at_ = 0;  // when the latest level came
    std::optional<taring::BuiltTable> built_;
    std::vector<taring::SuspectPortion> suspects_;  // portions that look mistyped
    QTimer ageing_;  // refreshes the state while no level comes
};
