#include "console/sensor_monitor.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <string>

#include "calibration/whole_file.h"
#include "console/sensor_identity.h"
#include "console/sensor_monitor_chart.h"
#include "language/language.h"

// The chart, redrawn from what the window last gave it.
class MonitorChartView final : public QWidget {
public:
    using QWidget::QWidget;

    void show_span(const console::MonitorChartData& data) {
        data_ = data;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().base());
        console::draw_monitor_chart(painter, QRectF(rect()).adjusted(4, 4, -4, -4), data_);
    }

private:
    console::MonitorChartData data_;
};

namespace console {

exchange::Stamp local_stamp(std::chrono::system_clock::time_point at) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count();
    return {ms, QDateTime::fromMSecsSinceEpoch(ms).offsetFromUtc()};
}

}  // namespace console

namespace {

// Worded when asked for: the language is installed after the program starts.
QString worded(const char* source) { return QCoreApplication::translate("SensorMonitor", source); }
QString window_title() { return worded(QT_TRANSLATE_NOOP("SensorMonitor", "Монитор датчика")); }
QString record_caption() { return worded(QT_TRANSLATE_NOOP("SensorMonitor", "Записывать в файл…")); }
QString stop_caption() { return worded(QT_TRANSLATE_NOOP("SensorMonitor", "Остановить запись")); }
QString pause_caption() { return worded(QT_TRANSLATE_NOOP("SensorMonitor", "Пауза")); }
QString resume_caption() { return worded(QT_TRANSLATE_NOOP("SensorMonitor", "Продолжить")); }
constexpr std::array<const char*, SensorMonitor::spans.size()> span_captions{
    QT_TRANSLATE_NOOP("SensorMonitor", "1 мин"), QT_TRANSLATE_NOOP("SensorMonitor", "5 мин"),
    QT_TRANSLATE_NOOP("SensorMonitor", "30 мин"), QT_TRANSLATE_NOOP("SensorMonitor", "Всё")};
// What "За %1" is said of.
constexpr std::array<const char*, SensorMonitor::spans.size()> span_names{
    QT_TRANSLATE_NOOP("SensorMonitor", "за 1 мин"), QT_TRANSLATE_NOOP("SensorMonitor", "за 5 мин"),
    QT_TRANSLATE_NOOP("SensorMonitor", "за 30 мин"), QT_TRANSLATE_NOOP("SensorMonitor", "за всё время")};
constexpr double quiet_after = 5;  // seconds without a poll before the window says so
constexpr int scroll_ms = 1000;
constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";

double steady_seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// A file name's date and time: "2026-12-08 09-12", no characters Windows refuses.
QString file_moment() { return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm")); }

}  // namespace

SensorMonitor::SensorMonitor(Dialogs& dialogs, const exchange::TrafficLog& traffic, Clock clock, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs), traffic_(traffic),
      clock_(clock ? std::move(clock) : Clock(steady_seconds)) {
    setWindowTitle(window_title());
    build_controls();
    connect(pause, &QPushButton::clicked, this, &SensorMonitor::pause_Click);
    connect(record, &QPushButton::clicked, this, &SensorMonitor::record_Click);
    connect(save_traffic, &QPushButton::clicked, this, &SensorMonitor::save_traffic_Click);
    // By their check, however it comes (a click, the accessibility bus's toggle): the span
    // shown stays checked, one at a time.
    for (std::size_t i = 0; i < span_buttons.size(); ++i)
        connect(span_buttons[i], &QPushButton::toggled, this, [this, i](bool checked) {
            if (checked)
                span_Click(i);
            else if (i == span_)
                span_buttons[i]->setChecked(true);
        });
    connect(&scrolling_, &QTimer::timeout, this, &SensorMonitor::show_chart);
    scrolling_.start(scroll_ms);
    show_sensor();
    show_chart();
}

void SensorMonitor::build_controls() {
    sensor_line = new QLabel(this);
    QFont bold = sensor_line->font();
    bold.setBold(true);
    sensor_line->setFont(bold);

    auto* top = new QHBoxLayout;
    top->addWidget(sensor_line, 1);
    for (std::size_t i = 0; i < span_buttons.size(); ++i) {
        span_buttons[i] = new QPushButton(worded(span_captions[i]), this);
        span_buttons[i]->setCheckable(true);
        top->addWidget(span_buttons[i]);
    }
    span_buttons[span_]->setChecked(true);  // one checked at a time: span_Click
    pause = new QPushButton(pause_caption(), this);
    pause->setMinimumWidth(pause->fontMetrics().horizontalAdvance(resume_caption()) + 24);
    top->addSpacing(12);
    top->addWidget(pause);

    chart = new MonitorChartView(this);
    chart->setMinimumSize(560, 300);

    level_line = new QLabel(this);
    QFont big = level_line->font();
    if (big.pointSizeF() > 0) big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    level_line->setFont(big);
    figures_line = new QLabel(this);
    figures_line->setTextInteractionFlags(Qt::TextSelectableByMouse);

    record = new QPushButton(record_caption(), this);
    record->setMinimumWidth(record->fontMetrics().horizontalAdvance(stop_caption()) + 24);
    save_traffic = new QPushButton(tr("Сохранить обмен…"), this);
    status_line = new QLabel(this);
    status_line->setWordWrap(true);

    auto* files = new QHBoxLayout;
    files->addWidget(record);
    files->addWidget(save_traffic);
    files->addStretch(1);

    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(chart, 1);
    all->addWidget(level_line);
    all->addWidget(figures_line);
    all->addLayout(files);
    all->addWidget(status_line);
    resize(900, 560);
}

// ---- Fed by the main window ----------------------------------------------------------

void SensorMonitor::watch(std::optional<int> address, std::optional<std::uint32_t> serial, const QString& version) {
    if (address == address_) return;
    if (recording()) {  // a record is of one sensor, as the chart is
        const QString name = QFileInfo(recording_.fileName()).fileName();
        stop_recording();
        const QString said = tr("Запись в файл %1 остановлена: опрос перешёл на другой датчик (строк %2).")
                                 .arg(name)
                                 .arg(recorded_);
        show_status(said);
        emit recording_ended(said);
    }
    address_ = address;
    main_since_ = clock_();
    serial_ = serial;
    version_ = version;
    series_.clear();  // the chart is of one sensor
    latest_.reset();
    show_sensor();
    show_chart();
}

void SensorMonitor::identity_read(int address, std::optional<std::uint32_t> serial, const QString& version) {
    if (address != address_) return;
    if (serial) serial_ = serial;
    if (!version.isEmpty()) version_ = version;
    show_sensor();
}

void SensorMonitor::poll_read(const exchange::PolledSensor& poll, std::chrono::system_clock::time_point at) {
    if (!address_ || poll.address != *address_) return;
    latest_ = poll;
    latest_at_ = clock_();
    series_.add(latest_at_, poll.level, poll.temperature);
    if (recording()) {
        const std::string line =
            exchange::poll_csv_line(exchange::stamp_text(console::local_stamp(at)), poll) + "\r\n";
        const auto size = static_cast<qint64>(line.size());
        // Flushed line by line: a crash or a pulled cable loses at most the line being written.
        if (recording_.write(line.data(), size) != size || !recording_.flush()) {
            recording_failed();
        } else {
            ++recorded_;
            show_status(tr("Запись в файл %1: строк %2.")
                            .arg(QFileInfo(recording_.fileName()).fileName())
                            .arg(recorded_));
        }
    }
    show_chart();
}

// ---- Handlers ------------------------------------------------------------------------

void SensorMonitor::span_Click(std::size_t span) {
    if (span >= spans.size()) return;
    span_ = span;
    for (std::size_t i = 0; i < span_buttons.size(); ++i) span_buttons[i]->setChecked(i == span);
    show_chart();
}

void SensorMonitor::pause_Click() {
    paused_ = !paused_;
    if (paused_) {
        paused_at_ = clock_();
        paused_wall_ = QDateTime::currentDateTime();
    }
    pause->setText(paused_ ? resume_caption() : pause_caption());
    show_chart();
}

void SensorMonitor::record_Click() {
    if (!recording()) {
        start_recording();
        return;
    }
    const QString name = QFileInfo(recording_.fileName()).fileName();
    stop_recording();
    show_status(tr("Запись остановлена: в файле %1 строк %2.").arg(name).arg(recorded_));
}

void SensorMonitor::start_recording() {
    const QString stem = address_ ? tr("Датчик %1 %2").arg(*address_).arg(file_moment()) : tr("Датчик %1").arg(file_moment());
    const QString path = dialogs_.save_file(tr("Записывать опросы в файл"),
                                            QDir(file_folder()).filePath(stem + QStringLiteral(".csv")),
                                            tr("Таблица CSV (*.csv)"));
    if (path.isEmpty()) return;
    // The byte-order mark tells spreadsheets on Windows that the file is UTF-8, as in the
    // table files; the header is poll's.
    const std::string head = std::string(utf8_bom) + std::string(exchange::poll_csv_header) + "\r\n";
    recording_.setFileName(path);
    const bool written = recording_.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         recording_.write(head.data(), static_cast<qint64>(head.size())) ==
                             static_cast<qint64>(head.size()) &&
                         recording_.flush();
    if (!written) {
        const QString reason = recording_.errorString();
        recording_.close();
        dialogs_.message(tr("Запись не начата. %1: %2").arg(QDir::toNativeSeparators(path), reason),
                         Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, window_title());
        return;
    }
    folder_ = QFileInfo(path).absolutePath();  // the next dialog opens where this file went
    recorded_ = 0;
    record->setText(stop_caption());
    show_status(tr("Запись в файл %1: строка на каждый опрос.").arg(QFileInfo(path).fileName()));
}

void SensorMonitor::stop_recording() {
    recording_.close();
    record->setText(record_caption());
}

void SensorMonitor::recording_failed() {
    const QString reason = recording_.errorString();
    const QString path = QDir::toNativeSeparators(recording_.fileName());
    stop_recording();
    const QString said = tr("Запись прервана, в файле строк %1. %2: %3").arg(QString::number(recorded_), path, reason);
    show_status(said);
    emit recording_ended(said);
    // Said in a box once the exchange's tick that brought the poll is over, lest the box
    // hold the exchange up while it is open.
    QTimer::singleShot(0, this, [this, path, reason] {
        dialogs_.message(tr("Запись в файл прервана. %1: %2").arg(path, reason), Dialogs::Buttons::Ok,
                         Dialogs::Icon::Exclamation, window_title());
    });
}

void SensorMonitor::save_traffic_Click() {
    if (traffic_.frames() == 0) {
        dialogs_.message(tr("Сохранять нечего: обмена ещё не было."), Dialogs::Buttons::Ok,
                         Dialogs::Icon::None, window_title());
        return;
    }
    const QString path = dialogs_.save_file(tr("Сохранить обмен"),
                                            QDir(file_folder()).filePath(tr("Обмен %1").arg(file_moment()) +
                                                                         QStringLiteral(".txt")),
                                            tr("Текст (*.txt)"));
    if (path.isEmpty()) return;
    // As trelvik-cli --trace writes it, line for line, so that one script reads both.
    if (const auto failed = calibration::write_whole_file(path, QByteArray::fromStdString(traffic_.trace_text()))) {
        dialogs_.message(tr("Обмен не сохранён. %1").arg(*failed), Dialogs::Buttons::Ok,
                         Dialogs::Icon::Exclamation, window_title());
        return;
    }
    folder_ = QFileInfo(path).absolutePath();
    show_status(tr("Обмен сохранён в файл %1: кадров %2.").arg(QFileInfo(path).fileName()).arg(traffic_.frames()));
}

void SensorMonitor::closeEvent(QCloseEvent* event) {
    // Only hidden: the series and a recording go on, and Ctrl+M shows them again.
    scrolling_.stop();
    event->accept();
    emit closed();
}

void SensorMonitor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!scrolling_.isActive()) scrolling_.start(scroll_ms);
    show_chart();
}

// ---- What the window shows -----------------------------------------------------------

std::pair<double, double> SensorMonitor::shown() const {
    const double to = paused_ ? paused_at_ : clock_();
    const int span = spans[span_];
    if (span > 0) return {to - span, to};
    return {series_.empty() ? to - spans[0] : std::min(series_.first_time(), to - 1), to};
}

monitor::Stats SensorMonitor::shown_stats() const {
    const auto [from, to] = shown();
    return series_.stats(from, to);
}

void SensorMonitor::show_sensor() {
    if (!address_) {
        sensor_line->setText(tr("Датчик не выбран"));
        return;
    }
    sensor_line->setText(sensor_identity_text(*address_, serial_, version_));
}

void SensorMonitor::main_polls(bool connected, std::optional<int> polled) {
    const MainPoll now{connected, polled};
    if (main_ == now) return;
    main_ = now;
    main_since_ = clock_();
    show_chart();
}

QString SensorMonitor::no_polls_text() const {
    if (main_ && !main_->connected) return tr("Нет опросов датчика: линия не подключена («Подключить» в главном окне).");
    if (!main_ || !main_->polled) return tr("Нет опросов датчика: включите опрос («Блокировка») в главном окне.");
    if (*main_->polled < 0) return tr("Нет опросов датчика: в главном окне не выбран «Сет. номер».");
    // The first answer takes a tick or two (an identity asked first): silence counts after that.
    if (clock_() - main_since_ <= quiet_after) return tr("Датчик %1: ждём ответа на опрос…").arg(*main_->polled);
    return tr("Датчик %1 не отвечает на опрос: проверьте его подключение к линии.").arg(*main_->polled);
}

void SensorMonitor::show_chart() {
    const auto [from, to] = shown();
    chart->show_span({&series_, from, to, paused_ ? paused_wall_ : QDateTime::currentDateTime()});

    if (!latest_ || clock_() - latest_at_ > quiet_after) {
        level_line->setText(no_polls_text());
    } else {
        level_line->setText(tr("Уровень %1    Температура %2 °C").arg(latest_->level).arg(latest_->temperature));
    }

    const monitor::Stats s = series_.stats(from, to);
    const QString span = worded(span_names[span_]);
    QString figures;
    if (s.count == 0) {
        figures = tr("%1 опросов нет.").arg(span);
    } else {
        figures = tr("%1 (опросов %2): мин %3, макс %4, среднее %5, разброс %6, СКО %7")
                      .arg(span, QString::number(s.count), language::figure(s.min, 0), language::figure(s.max, 0),
                           language::figure(s.mean, 1), language::figure(s.spread(), 0),
                           language::figure(s.deviation, 1));
    }
    // The sentence starts with a capital whichever span it names.
    if (!figures.isEmpty()) figures[0] = figures[0].toUpper();
    if (paused_) figures = tr("Пауза. %1").arg(figures);
    figures_line->setText(figures);
}

void SensorMonitor::show_status(const QString& text) { status_line->setText(text); }

QString SensorMonitor::file_folder() {
    if (!folder_.isEmpty()) return folder_;
#ifdef _WIN32
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty()) return documents;
#endif
    return QDir::homePath();
}
