#pragma once
// The window "Монитор датчика": the polled sensor's level and temperature over the last
// minutes or hours, with the figures of the span shown, while the technician dips the
// probe, moves the float or pours fuel. It is fed the polls that reply dispatch already
// decodes and sends nothing. It records the polls to a CSV file, one line each as
// `trelvik-cli poll` writes them, and saves the connection's traffic for support. Closed,
// it is only hidden: it goes on taking the polls, and recording them, with the main window.

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include "console/dialogs.h"
#include "exchange/poll_csv.h"
#include "exchange/stamp.h"
#include "exchange/traffic_log.h"
#include "monitor/level_series.h"

class MonitorChartView;

namespace console {
// A moment in the local time in force then, as the logs write it.
exchange::Stamp local_stamp(std::chrono::system_clock::time_point at);
}  // namespace console

class SensorMonitor final : public QWidget {
    Q_OBJECT

public:
    using Clock = std::function<double()>;  // seconds on a clock that does not run backwards

    // `traffic` is the main window's log of the connection, saved by "Сохранить обмен…";
    // it must outlive the window. `clock` places the polls on the chart; by default a
    // steady clock.
    SensorMonitor(Dialogs& dialogs, const exchange::TrafficLog& traffic, Clock clock = {}, QWidget* parent = nullptr);

    // The spans to choose from, in seconds; 0 for all of the series.
    static constexpr std::array<int, 4> spans{60, 300, 1800, 0};

    // ---- Controls -----------------------------------------------------------------
    QLabel* sensor_line;  // the sensor's address, serial number and version
    std::array<QPushButton*, spans.size()> span_buttons;  // "1 мин", "5 мин", "30 мин", "Всё"
    QPushButton* pause;
    MonitorChartView* chart;
    QLabel* level_line;    // the latest level and temperature
    QLabel* figures_line;  // lowest, highest, mean, spread and deviation of the span
    QPushButton* record;   // "Записывать в файл…", while recording "Остановить запись"
    QPushButton* save_traffic;
    QLabel* status_line;

    // ---- Fed by the main window ---------------------------------------------------
    // The sensor the main window polls; another one than before starts a new series.
    void watch(std::optional<int> address, std::optional<std::uint32_t> serial, const QString& version);
    void identity_read(int address, std::optional<std::uint32_t> serial, const QString& version);
    // What the main window's poll does now, so that a window without polls says why:
    // `polled` is the address polled, -1 when no address is chosen, nullopt with the poll off.
    void main_polls(bool connected, std::optional<int> polled);
    // A poll answered at `at`; polls of other sensors are passed over.
    void poll_read(const exchange::PolledSensor& poll, std::chrono::system_clock::time_point at);

    // ---- Handlers -----------------------------------------------------------------
    void span_Click(std::size_t span);
    void pause_Click();
    void record_Click();
    void save_traffic_Click();

    const monitor::LevelSeries& series() const { return series_; }
    std::optional<int> watched() const { return address_; }
    bool paused() const { return paused_; }
    bool recording() const { return recording_.isOpen(); }
    QString recording_file() const { return recording_.fileName(); }
    // The span shown, in seconds on the clock, and the level's figures over it.
    std::pair<double, double> shown() const;
    monitor::Stats shown_stats() const;

signals:
    void closed();
    // A recording ended by itself (a file that took no more, another sensor polled): for
    // the main window's status line, the monitor being closed perhaps.
    void recording_ended(const QString& said);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build_controls();
    void start_recording();
    void stop_recording();
    void recording_failed();
    void show_sensor();
    void show_chart();  // the chart, the latest values and the figures
    QString no_polls_text() const;
    void show_status(const QString& text);
    QString file_folder();

    Dialogs& dialogs_;
    const exchange::TrafficLog& traffic_;
    Clock clock_;
    std::optional<int> address_;
    std::optional<std::uint32_t> serial_;
    QString version_;
    monitor::LevelSeries series_;
    struct MainPoll {
        bool connected = false;
        std::optional<int> polled;
        bool operator==(const MainPoll&) const = default;
    };
    std::optional<MainPoll> main_;  // unknown until the main window tells
    double main_since_ = 0;         // when it last changed, or the sensor watched did
    std::optional<exchange::PolledSensor> latest_;
    double latest_at_ = 0;
    std::size_t span_ = 1;  // five minutes
    bool paused_ = false;
    double paused_at_ = 0;
    QDateTime paused_wall_;
    QFile recording_;
    std::uint64_t recorded_ = 0;  // lines in the file
    QString folder_;              // where the last file went, for this window only
    QTimer scrolling_;            // moves the live chart on while no poll comes
};
