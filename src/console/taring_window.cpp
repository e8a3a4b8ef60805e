#include "console/taring_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "calibration/table_texts.h"
#include "console/sensor_identity.h"
#include "console/taring_chart.h"
#include "console/taring_report.h"
#include "console/settle_strip.h"
#include "language/language.h"
#include "protocol/number_text.h"
#include "taring/session_file.h"
#include "taring/portion_check.h"
#include "taring/session_folder.h"

using taring::TaringPoint;

// The chart, redrawn from what the window last gave it.
class TaringChartView final : public QWidget {
public:
    using QWidget::QWidget;

    void show_points(std::vector<TaringPoint> points, const std::optional<taring::BuiltTable>& built,
                     std::vector<std::size_t> suspect) {
        points_ = std::move(points);
        built_ = built;
        suspect_ = std::move(suspect);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), palette().base());
        auto data = console::chart_data(points_, built_ ? &*built_ : nullptr);
        data.suspect = suspect_;
        console::draw_taring_chart(painter, QRectF(rect()).adjusted(4, 4, -4, -4), data);
    }

private:
    std::vector<TaringPoint> points_;
    std::optional<taring::BuiltTable> built_;
    std::vector<std::size_t> suspect_;
};

namespace {

// Worded when asked for: the language is installed after the program starts.
QString window_title() { return QCoreApplication::translate("TaringWindow", "Тарировка бака"); }
QString take_caption() { return QCoreApplication::translate("TaringWindow", "Записать точку"); }
QString waiting_caption() { return QCoreApplication::translate("TaringWindow", "Ждём успокоения…"); }
constexpr double quiet_after = 5;  // seconds without a level before the window says so
constexpr double max_settle = 3600;

// Litres are kept to the millilitre.
QString number(double value) { return language::figure(value, 3); }

// Litres kept to the millilitre, so that sums of typed portions do not drift.
double to_millilitre(double litres) { return std::round(litres * 1000) / 1000; }

// What keeps the points from making a table, for the technician.
QString refusal_text(const taring::TableRefusal& r) {
    using Reason = taring::TableRefusal::Reason;
    switch (r.reason) {
    case Reason::too_few_levels: return QCoreApplication::translate("TaringWindow", "Для таблицы нужны хотя бы две точки с разным уровнем.");
    case Reason::level_out_of_range:
        return QCoreApplication::translate("TaringWindow", "Точка %1: уровень вне диапазона 0....%2.").arg(r.point).arg(calibration::max_value);
    case Reason::litres_out_of_range:
        return QCoreApplication::translate("TaringWindow", "Точка %1: литры вне диапазона 0....%2.").arg(r.point).arg(calibration::max_litres);
    case Reason::same_litres:
        return QCoreApplication::translate("TaringWindow", "Точки %1 и %2: одни и те же литры при разном уровне.").arg(r.other).arg(r.point);
    case Reason::level_falls:
        return QCoreApplication::translate("TaringWindow", "Точка %1: уровень ниже, чем у точки %2, хотя литров больше.").arg(r.point).arg(r.other);
    }
    return language::worded(r.text);
}

// "Точка 5: 4 л на 333 ед. уровня, у соседних около 40 л; опечатка?" (the abbreviation
// agrees with any number)
QString suspect_text(const taring::SuspectPortion& s) {
    return QCoreApplication::translate("TaringWindow", "Точка %1: %2 л на %3 ед. уровня, у соседних около %4 л; опечатка?")
        .arg(s.point)
        .arg(number(s.litres), language::figure(s.levels, 1), language::figure(s.expected, 0));
}

double steady_seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TaringWindow::TaringWindow(Dialogs& dialogs, TaringTarget target, QStringList folders, Clock clock, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs), target_(std::move(target)), folders_(std::move(folders)),
      folder_(folders_.value(0)),
      clock_(clock ? std::move(clock) : Clock(steady_seconds)) {
    setWindowTitle(window_title());
    build_controls();
    connect(take_point, &QPushButton::clicked, this, &TaringWindow::take_point_Click);
    connect(poured, &QLineEdit::returnPressed, this, &TaringWindow::take_point_Click);
    connect(undo_point, &QPushButton::clicked, this, &TaringWindow::undo_point_Click);
    connect(done, &QPushButton::clicked, this, &TaringWindow::done_Click);
    connect(save_report, &QPushButton::clicked, this, &TaringWindow::save_report_Click);
    // A bad figure goes back to the one in force, said in the status line: a box here
    // would take the focus and finish the editing a second time.
    for (QLineEdit* field : {settle_field, tolerance_field})
        connect(field, &QLineEdit::editingFinished, this, &TaringWindow::read_settings);
    connect(&ageing_, &QTimer::timeout, this, &TaringWindow::show_state);
    ageing_.start(1000);
    show_sensor();
    show_points();
    show_state();
    show_status(tr("Первая точка — бак как есть: в поле «Долито, л» литры в баке сейчас (обычно 0)."));
}

TaringWindow::~TaringWindow() {
    // Hiding the window on its way out takes the focus from a field, which would finish
    // its editing into a window that is no longer one.
    for (QLineEdit* field : {settle_field, tolerance_field}) disconnect(field, nullptr, this, nullptr);
}

void TaringWindow::build_controls() {
    sensor_line = new QLabel(this);
    session_line = new QLabel(this);
    session_line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    session_line->setWordWrap(true);

    level_figure = new QLabel(this);
    QFont big = level_figure->font();
    if (big.pointSizeF() > 0) big.setPointSizeF(big.pointSizeF() * 3.5);
    big.setBold(true);
    level_figure->setFont(big);
    level_figure->setAlignment(Qt::AlignCenter);
    level_figure->setMinimumWidth(QFontMetrics(big).horizontalAdvance(QStringLiteral("00000")) + 16);
    settle_strip = new SettleStrip(this);
    settle_strip->set_span(settle_, tolerance_);
    state_line = new QLabel(this);
    state_line->setWordWrap(true);
    state_line->setAlignment(Qt::AlignCenter);
    state_line->setMargin(6);
    state_line->setAutoFillBackground(true);
    state_line->setMinimumHeight(2 * state_line->fontMetrics().height() + 12);

    poured = new QLineEdit(QStringLiteral("0"), this);
    take_point = new QPushButton(take_caption(), this);
    take_point->setDefault(true);
    {
        // As wide as its longer caption: the fields beside it keep their width when it changes.
        const QFontMetrics fm = take_point->fontMetrics();
        const int longer = std::max(fm.horizontalAdvance(take_caption()), fm.horizontalAdvance(waiting_caption()));
        take_point->setMinimumWidth(take_point->sizeHint().width() - fm.horizontalAdvance(take_caption()) + longer);
    }
    undo_point = new QPushButton(tr("Отменить точку"), this);
    settle_field = new QLineEdit(number(settle_), this);
    tolerance_field = new QLineEdit(number(tolerance_), this);

    point_list = new QTableWidget(0, 3, this);
    point_list->setHorizontalHeaderLabels(
        {tr("Литры"), tr("Уровень"), tr("Разброс")});
    point_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    point_list->setSelectionMode(QAbstractItemView::NoSelection);
    point_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    point_list->verticalHeader()->setDefaultSectionSize(point_list->fontMetrics().height() + 4);

    chart = new TaringChartView(this);
    chart->setMinimumSize(480, 340);
    deviation_line = new QLabel(this);

    vehicle = new QLineEdit(this);
    tank = new QLineEdit(this);
    technician = new QLineEdit(this);
    save_report = new QPushButton(tr("Сохранить протокол…"), this);
    done = new QPushButton(tr("Готово"), this);
    status_line = new QLabel(this);
    status_line->setWordWrap(true);

    // Left: the level and the points; right: the chart.
    auto* entry = new QGridLayout;
    entry->addWidget(new QLabel(tr("Долито, л"), this), 0, 0);
    entry->addWidget(poured, 0, 1);
    entry->addWidget(take_point, 0, 2);
    entry->addWidget(undo_point, 1, 2);
    entry->addWidget(new QLabel(tr("Успокоение, с"), this), 2, 0);
    entry->addWidget(settle_field, 2, 1);
    entry->addWidget(new QLabel(tr("Допуск"), this), 3, 0);
    entry->addWidget(tolerance_field, 3, 1);

    // The left column keeps its width whatever its figures are, so nothing jumps as they change.
    auto* left_side = new QWidget(this);
    left_side->setFixedWidth(360);
    auto* left = new QVBoxLayout(left_side);
    left->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(tr("Уровень"), this);
    caption->setAlignment(Qt::AlignCenter);
    left->addWidget(caption);
    left->addWidget(level_figure);
    left->addWidget(settle_strip);
    left->addWidget(state_line);
    left->addLayout(entry);
    left->addWidget(point_list, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(chart, 1);
    right->addWidget(deviation_line);

    auto* middle = new QHBoxLayout;
    middle->addWidget(left_side);
    middle->addLayout(right, 1);

    auto* report = new QHBoxLayout;
    for (auto [caption, field] : {std::pair{QT_TR_NOOP("Транспорт"), vehicle}, {QT_TR_NOOP("Бак"), tank}, {QT_TR_NOOP("Техник"), technician}}) {
        report->addWidget(new QLabel(tr(caption), this));
        report->addWidget(field, 1);
    }
    report->addWidget(save_report);
    report->addWidget(done);

    auto* all = new QVBoxLayout(this);
    all->addWidget(sensor_line);
    all->addWidget(session_line);
    all->addLayout(middle, 1);
    all->addLayout(report);
    all->addWidget(status_line);
    resize(960, 640);
}

// ---- Fed by the exchange cycle ----------------------------------------------------------

void TaringWindow::begin(std::optional<std::uint32_t> serial, const QString& version) {
    serial_ = serial;
    version_ = version;
    show_sensor();
    if (serial_) start_session();
}

void TaringWindow::identity_read(int address, std::optional<std::uint32_t> serial, const QString& version) {
    if (address != target_.address) return;
    const bool other_sensor = serial && serial_ && *serial != *serial_;
    if (serial) serial_ = serial;
    if (!version.isEmpty()) version_ = version;
    if (other_sensor && session_.points.empty() && !waiting_for_) {
        started_ = false;  // another sensor at the address before any point: its own session
        path_.clear();
    }
    if (started_ && serial_ && !session_.serial) session_.serial = serial_;  // kept with the next point
    show_sensor();
    if (!sensor_matches()) {
        // Its levels are not this tank's: the point waiting is not taken from them.
        waiting_for_.reset();
        show_waiting();
        if (other_sensor) offer_own_session();
        return;
    }
    start_session();
}

bool TaringWindow::sensor_matches() const {
    return !started_ || !session_.serial || !serial_ || *session_.serial == *serial_;
}

void TaringWindow::offer_own_session() {
    const QString said = tr("У датчика по адресу %1 теперь серийный № %2, а сессия начата с № %3: "
                                        "точки этого датчика в неё не записываются.")
                             .arg(target_.address)
                             .arg(*serial_)
                             .arg(*session_.serial);
    show_status(said);
    const QString question = tr("%1\n\nНачать для него свою сессию? Прежняя останется в файле %2.")
                                 .arg(said, QFileInfo(path_).fileName());
    if (dialogs_.message(question, Dialogs::Buttons::YesNo, Dialogs::Icon::Exclamation, window_title()) !=
        Dialogs::Answer::Yes)
        return;
    started_ = false;
    path_.clear();
    session_ = taring::TaringSession{target_.address, serial_, {}};
    poured->setText(QStringLiteral("0"));
    start_session();
    show_points();
    if (session_.points.empty())
        show_status(tr("Новая сессия для датчика № %1. Первая точка — бак как есть.").arg(*serial_));
}

void TaringWindow::level_read(int address, std::uint16_t level) {
    if (address != target_.address) return;
    level_ = level;
    level_at_ = clock_();
    steady_ = detector_.feed(level_at_, level);
    // A silence starts the watch afresh from this poll; the strip shows what it watches.
    if (detector_.covered() == 0) settle_strip->clear();
    settle_strip->add(level_at_, level);
    // Not while the window asks whether to close: the question's count of points stands.
    if (waiting_for_ && steady_ && !asking_to_close_) take(*std::exchange(waiting_for_, std::nullopt), *steady_);
    show_state();
}

// ---- The session ---------------------------------------------------------------------------

void TaringWindow::start_session() {
    if (started_) return;
    started_ = true;
    if (!QDir().mkpath(folder_))
        show_status(tr("Папку для сессий %1 создать не удалось: точки не будут сохраняться.")
                        .arg(QDir::toNativeSeparators(folder_)));
    session_ = taring::TaringSession{target_.address, serial_, {}};
    if (auto found = taring::unfinished_session(folders_, target_.address, serial_)) {
        const TaringPoint& last = found->session.points.back();
        const QString offer = tr("Есть незаконченная тарировка этого датчика (файл %1). Точек в ней: %2, "
                                             "последняя — %3 л при уровне %4.\n\nПродолжить её?")
                                  .arg(QFileInfo(found->path).fileName())
                                  .arg(found->session.points.size())
                                  .arg(number(last.litres), number(last.level));
        if (dialogs_.message(offer, Dialogs::Buttons::YesNo, Dialogs::Icon::None, window_title()) ==
            Dialogs::Answer::Yes) {
            session_ = std::move(found->session);
            path_ = found->path;
            poured->clear();  // it takes the litres of the next pour
            show_sensor();
            show_points();
            show_status(tr("Тарировка продолжена: после доливки введите литры и нажмите «%1».")
                            .arg(take_caption()));
            return;
        }
    }
    path_ = taring::new_session_path(folder_, QDate::currentDate(), target_.address, serial_);
    show_sensor();
}

void TaringWindow::put_back(const taring::TaringSession& kept, const QString& path) {
    // The error box runs its own event loop: a sensor telling who it is meanwhile may have
    // filled in the serial number, or started a session of its own, which stays as it is.
    if (path_ != path) return;
    session_.points = kept.points;
    session_.finished = kept.finished;
}

bool TaringWindow::save() {
    if (const auto error = taring::write_session_file(path_, session_)) {
        dialogs_.message(tr("Сессию тарировки не удалось сохранить. %1").arg(*error), Dialogs::Buttons::Ok,
                         Dialogs::Icon::Exclamation, window_title());
        return false;
    }
    return true;
}

// ---- Points --------------------------------------------------------------------------------

bool TaringWindow::read_settings() {
    struct Field {
        QLineEdit* field;
        double max;
        double* into;
        const char* what;
    };
    bool good = true;
    bool changed = false;
    for (const Field& f : {Field{settle_field, max_settle, &settle_, QT_TR_NOOP("Успокоение: число секунд")},
                           Field{tolerance_field, calibration::max_value, &tolerance_, QT_TR_NOOP("Допуск: число")}}) {
        const auto value = protocol::to_decimal(f.field->text().toStdString());
        if (!value || *value < 0 || *value > f.max) {
            show_status(tr("%1 от 0 до %2; оставлено %3.")
                            .arg(tr(f.what), number(f.max), number(*f.into)));
            f.field->setText(number(*f.into));
            good = false;
        } else if (*value != *f.into) {
            *f.into = *value;
            changed = true;
        }
    }
    if (changed) {  // the watch starts afresh with the new figures
        settle_strip->set_span(settle_, tolerance_);
        settle_strip->clear();
        detector_ = taring::SettleDetector(settle_, tolerance_, taring::window_poll_gap_seconds);
        steady_.reset();
        show_state();
    }
    return good;
}

std::optional<double> TaringWindow::litres_typed() {
    const auto typed = protocol::to_decimal(poured->text().toStdString());
    const auto refuse = [this](const QString& text) {
        dialogs_.message(text, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, window_title());
        poured->setFocus();
        poured->selectAll();
        return std::nullopt;
    };
    if (session_.points.empty()) {  // the start point: what the tank holds now
        if (!typed || *typed < 0 || *typed > calibration::max_litres)
            return refuse(tr("Введите, сколько литров в баке сейчас: число от 0 до %1.")
                              .arg(calibration::max_litres));
        return to_millilitre(*typed);
    }
    if (!typed || *typed <= 0) return refuse(tr("Введите, сколько литров долито: число больше 0."));
    const double litres = to_millilitre(session_.litres_now() + *typed);
    if (litres > calibration::max_litres)
        return refuse(tr("С этой доливкой в баке %1 л, больше, чем держит таблица (%2 л). Точка не записана.")
                          .arg(number(litres))
                          .arg(calibration::max_litres));
    return litres;
}

void TaringWindow::take_point_Click() {
    if (waiting_for_) return;
    if (!sensor_matches()) {
        offer_own_session();
        return;
    }
    if (!read_settings()) return;
    // The session is settled before the field is read: a sensor that has not told its
    // serial number is tared by its address, and an unfinished session taken up turns the
    // field from the tank's litres into a pour's.
    const bool was_started = started_;
    start_session();
    if (!was_started && !session_.points.empty()) return;
    const auto litres = litres_typed();
    if (!litres) return;
    // Polls from before the press may still show the tank before the pour: the level is
    // watched afresh from now on.
    detector_.restart();
    settle_strip->clear();
    steady_.reset();
    waiting_for_ = *litres;
    emit watching();
    show_waiting();
    show_state();
    show_status(tr("Точка %1 л будет записана, когда уровень устоится; не доливайте до тех пор. «Отменить точку» — не ждать.")
                    .arg(number(*litres)));
}

void TaringWindow::take(double litres, const taring::Settled& settled) {
    const std::optional<TaringPoint> before =
        session_.points.empty() ? std::nullopt : std::optional<TaringPoint>(session_.points.back());
    const taring::TaringSession kept = session_;  // as the file holds it
    const QString kept_path = path_;
    session_.take({litres, settled.level, settled.spread, settled.polls,
                   taring::point_time(QDateTime::currentDateTime())});
    const bool saved = save();
    if (!saved) put_back(kept, kept_path);
    show_waiting();
    if (!saved) {
        // The portion is in the tank and still in the field: pressed again once the file
        // can be written, it is taken without another pour.
        if (before)
            show_status(tr("Точка не записана: её топливо в баке. Когда сессию можно будет сохранить, нажмите «%1» снова, не доливая.")
                            .arg(take_caption()));
        return;
    }
    if (!before) poured->clear();  // from now on the field takes the litres poured
    poured->setFocus();
    poured->selectAll();
    show_points();
    const std::size_t n = session_.points.size();
    QString said = tr("Точка %1 записана: %2 л, уровень %3.").arg(n).arg(number(litres), number(settled.level));
    if (before && settled.level <= before->level)
        said += tr(" Уровень не вырос (у точки %1 — %2): проверьте доливку; «Отменить точку» убирает её.")
                    .arg(n - 1)
                    .arg(number(before->level));
    for (const taring::SuspectPortion& s : suspects_)
        if (s.point == n) said += QStringLiteral(" ") + suspect_text(s);
    show_status(said);
}

void TaringWindow::undo_point_Click() {
    if (waiting_for_) {
        waiting_for_.reset();
        show_waiting();
        show_status(tr("Точка не записана: ожидание отменено."));
        return;
    }
    const taring::TaringSession kept = session_;  // as the file holds it
    const QString kept_path = path_;
    const auto undone = session_.undo();
    if (!undone) return;
    if (!save()) {
        put_back(kept, kept_path);
        return;
    }
    show_points();
    QString said = tr("Точка %1 отменена (%2 л, уровень %3).")
                       .arg(session_.points.size() + 1)
                       .arg(number(undone->litres), number(undone->level));
    if (!session_.points.empty())
        said += tr(" Её топливо осталось в баке: введите долитое заново, не доливая, и нажмите «%1».")
                    .arg(take_caption());
    else
        poured->setText(number(undone->litres));  // the tank as it was: its litres again
    show_status(said);
    poured->setFocus();
    poured->selectAll();
}

// ---- The end: the table and the report ---------------------------------------------------

void TaringWindow::done_Click() {
    if (waiting_for_) {
        dialogs_.message(tr("Точка ещё ждёт успокоения уровня: дождитесь её или отмените."),
                         Dialogs::Buttons::Ok, Dialogs::Icon::None, window_title());
        return;
    }
    if (!built_) {
        const auto built = taring::build_table(session_.points);
        dialogs_.message(tr("Таблица не построена. %1").arg(refusal_text(std::get<taring::TableRefusal>(built))),
                         Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, window_title());
        return;
    }
    const QString made_from = path_;
    const bool taken = take_table_ && take_table_(taring::slot_table(*built_, target_.address), target_.slot);
    // The question over unsent work runs its own event loop: another sensor answering
    // meanwhile may have given the window a session of its own, which made no table.
    if (path_ != made_from) return;
    if (!taken) {
        show_status(tr("Таблица не передана: в главном окне осталась незаписанная таблица."));
        return;
    }
    session_.finished = true;
    save();  // only the mark is lost if it fails: the points are on disk already
    show_status(tr("Таблица в главном окне, в %1. Проверьте её и нажмите «Установить таблицу».")
                    .arg(target_.slot_name));
}

void TaringWindow::save_report_Click() {
    if (!built_) return;  // the button is off, and the line under the chart says why
    const QString stem = path_.isEmpty() ? tr("Протокол тарировки") : QFileInfo(path_).completeBaseName();
    // Beside the session's file, which a session taken up may have in the other language's folder.
    const QDir beside(path_.isEmpty() ? folder_ : QFileInfo(path_).absolutePath());
    const QString path = dialogs_.save_file(tr("Сохранить протокол тарировки"),
                                            beside.filePath(stem + QStringLiteral(".pdf")),
                                            tr("Протокол PDF (*.pdf)"));
    if (path.isEmpty()) return;
    // The serial number the points were taken with, not the one the address answers with now.
    console::TaringReport report{QDateTime::currentDateTime(), target_.address, session_.serial, version_, target_.slot + 1,
                                 vehicle->text().trimmed(), tank->text().trimmed(), technician->text().trimmed(),
                                 session_.points, *built_};
    if (const auto error = console::write_taring_report(path, report)) {
        dialogs_.message(tr("Протокол не сохранён. %1").arg(*error), Dialogs::Buttons::Ok,
                         Dialogs::Icon::Exclamation, window_title());
        return;
    }
    show_status(tr("Протокол сохранён в файл %1.").arg(QFileInfo(path).fileName()));
}

void TaringWindow::closeEvent(QCloseEvent* event) {
    if (started_ && !session_.points.empty() && !session_.finished) {
        enum { keep, remove, back };
        QString question = tr("Тарировка не закончена, точек: %1.\n\nСохранённую сессию можно "
                                          "продолжить потом: её предложит следующая «Тарировка бака…» "
                                          "для этого датчика.")
                               .arg(session_.points.size());
        if (waiting_for_)
            question += tr("\n\nТочка %1 л ждёт успокоения: закрыв окно, вы её не запишете.").arg(number(*waiting_for_));
        asking_to_close_ = true;
        const int answer = dialogs_.choose(question,
                                           {tr("Сохранить и закрыть"), tr("Удалить и закрыть"),
                                            tr("Вернуться")},
                                           keep, back, window_title());
        asking_to_close_ = false;
        if (answer == back) {
            event->ignore();
            return;
        }
        if (answer == remove) QFile::remove(path_);
    } else if (started_ && session_.points.empty()) {
        QFile::remove(path_);  // every point taken back: nothing to keep
    }
    ageing_.stop();
    event->accept();
    emit closed();
}

// ---- What the window shows ---------------------------------------------------------------

void TaringWindow::show_sensor() {
    sensor_line->setText(
        tr("%1 — таблица для %2").arg(sensor_identity_text(target_.address, serial_, version_), target_.slot_name));
    if (!path_.isEmpty())
        session_line->setText(tr("Сессия: %1").arg(QDir::toNativeSeparators(path_)));
    else if (!serial_)
        session_line->setText(tr("Сессия: файл будет назван, когда датчик сообщит серийный номер."));
    else
        session_line->setText(tr("Сессия: ещё не начата."));
}

void TaringWindow::show_points() {
    const auto& points = session_.points;
    suspects_ = taring::suspect_portions(points);
    point_list->setRowCount(static_cast<int>(points.size()));
    for (int row = 0; row < point_list->rowCount(); ++row) {
        const TaringPoint& p = points[static_cast<std::size_t>(row)];
        const QString texts[] = {number(p.litres), number(p.level), p.spread ? number(*p.spread) : QString()};
        const auto suspect = std::find_if(suspects_.begin(), suspects_.end(), [row](const taring::SuspectPortion& s) {
            return s.point == static_cast<std::size_t>(row) + 1;
        });
        for (int column = 0; column < 3; ++column) {
            auto* item = point_list->item(row, column);
            if (!item) point_list->setItem(row, column, item = new QTableWidgetItem);
            item->setText(texts[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setBackground(suspect != suspects_.end() ? QBrush(console::suspect_shade) : QBrush());
            item->setToolTip(suspect != suspects_.end() ? suspect_text(*suspect) : QString());
        }
    }
    point_list->scrollToBottom();

    std::vector<std::size_t> flagged;
    for (const taring::SuspectPortion& s : suspects_) flagged.push_back(s.point);
    auto built = taring::build_table(points);
    if (auto* table = std::get_if<taring::BuiltTable>(&built)) {
        built_ = *table;
        deviation_line->setText(console::deviation_text(*built_));
        chart->show_points(points, built_, flagged);
    } else {
        built_.reset();
        deviation_line->setText(points.empty() ? QString() : refusal_text(std::get<taring::TableRefusal>(built)));
        chart->show_points(points, std::nullopt, flagged);
    }
    undo_point->setEnabled(!points.empty());
    done->setEnabled(built_.has_value());
    save_report->setEnabled(built_.has_value());
}

// While a point waits, the button says so and the litres stay as typed; "Отменить
// точку" stops the wait.
void TaringWindow::show_waiting() {
    const bool waiting = waiting_for_.has_value();
    take_point->setText(waiting ? waiting_caption() : take_caption());
    take_point->setEnabled(!waiting);
    // Read-only, not disabled: a disabled field would hand the focus on to "Успокоение, с",
    // and the next portion typed would change the settle time. Shaded all the same, so that
    // it does not look as if it took what is typed.
    poured->setReadOnly(waiting);
    QPalette shade;  // none of its own: the window's
    if (waiting) shade.setColor(QPalette::Base, palette().color(QPalette::Window));
    poured->setPalette(shade);
    undo_point->setEnabled(waiting || !session_.points.empty());
}

void TaringWindow::main_polls(std::optional<int> address) {
    if (main_polls_told_ && address == main_polls_) return;
    main_polls_told_ = true;
    main_polls_ = address;
    show_state();
}

void TaringWindow::show_state() {
    level_figure->setText(level_ ? QString::number(*level_) : QStringLiteral("—"));
    const bool polled_elsewhere = main_polls_told_ && main_polls_ && *main_polls_ != target_.address;
    const bool poll_off = main_polls_told_ && !main_polls_;
    const bool stale = !level_ || clock_() - level_at_ > quiet_after || polled_elsewhere || poll_off;
    level_figure->setEnabled(!stale);  // grey: not the tank as it is now
    QString text;
    QColor colour;
    if (stale) {
        if (polled_elsewhere && *main_polls_ < 0)
            text = tr("В главном окне не выбран «Сет. номер»: выберите в списке %1.").arg(target_.address);
        else if (polled_elsewhere)
            text = tr("Главное окно опрашивает датчик %1, а не %2: верните в нём «Сет. номер» %2.")
                       .arg(*main_polls_)
                       .arg(target_.address);
        else if (poll_off)
            text = tr("Опрос выключен: включите его кнопкой «Блокировка» в главном окне.");
        else
            text = tr("Нет уровня от датчика: проверьте подключение.");
        colour = palette().color(QPalette::Window).darker(110);
    } else if (steady_) {
        text = tr("Уровень устоялся (разброс %1).").arg(number(steady_->spread));
        colour = QColor(0xC8, 0xF0, 0xC8);
    } else if (detector_.spread() > tolerance_) {
        text = tr("Уровень меняется: разброс %1 больше допуска %2.")
                   .arg(number(detector_.spread()), number(tolerance_));
        colour = QColor(0xFF, 0xE0, 0xA0);
    } else {
        text = tr("Успокаивается: разброс %1, ждать ещё %2 с.")
                   .arg(number(detector_.spread()))
                   .arg(std::max(1L, std::lround(std::ceil(settle_ - detector_.covered()))));
        colour = QColor(0xFF, 0xE0, 0xA0);
    }
    if (waiting_for_) text = tr("Точка %1 л ждёт. %2").arg(number(*waiting_for_), text);
    state_line->setText(text);
    QPalette shade = state_line->palette();
    shade.setColor(QPalette::Window, colour);
    state_line->setPalette(shade);
}

void TaringWindow::show_status(const QString& text) { status_line->setText(text); }
