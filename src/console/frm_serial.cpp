#include "console/frm_serial.h"

#include <QCloseEvent>
#include <QLocale>
#include <QScopedValueRollback>
#include <utility>

#include "calibration/table_dump.h"
#include "console/traffic_text.h"
#include "exchange/auto_request.h"
#include "exchange/reply_dispatch.h"
#include "language/language.h"
#include "protocol/byte_text.h"
#include "protocol/commands.h"
#include "protocol/number_text.h"
#include "protocol/requests.h"

using protocol::Byte;
using protocol::Bytes;
using protocol::ByteView;

namespace {

const QString line_settings = QStringLiteral("19200,n,8,1");


QString from_utf8(const std::string& text) { return QString::fromStdString(text); }

bool tagged_one(const QWidget* w) {
    bool ok = false;
    const int tag = w->property("Tag").toString().toInt(&ok);
    return ok && tag == 1;
}

}  // namespace

std::string frmSerial::decimal_separator() { return QLocale().decimalPoint().toStdString(); }

// Operator text or a list entry to a byte.
std::optional<Byte> frmSerial::to_byte(const QString& text) {
    return protocol::to_byte(text.toStdString(), decimal_separator());
}

frmSerial::frmSerial(Dialogs& dialogs, serial::Line& line, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), line_thread_(line) {
    build_controls();
    wire_handlers();
    Form_Load();
}

void frmSerial::wire_handlers() {
    connect(BTNOpenCom, &QPushButton::clicked, this, &frmSerial::BTNOpenCom_Click);
    connect(BTNCloseCom, &QPushButton::clicked, this, &frmSerial::BTNCloseCom_Click);
    // Only the operator's typing: a pick from the list is noticed by the tick.
    connect(CmbNet->lineEdit(), &QLineEdit::textEdited, this, &frmSerial::CmbNet_Change);
    // A device path is wider than the box: the tooltip shows all of it, typed or picked.
    connect(CmbPort, &QComboBox::currentTextChanged, CmbPort, &QWidget::setToolTip);
    connect(Cmb_Datchik, &QComboBox::activated, this, &frmSerial::Cmb_Datchik_Click);
    connect(rd_table, &QPushButton::clicked, this, &frmSerial::rd_table_Click);
    connect(block, &QPushButton::clicked, this, &frmSerial::block_Click);
    connect(TMRComm, &QTimer::timeout, this, &frmSerial::TMRComm_Timer);
    // Figures read from one sensor do not stand for another: any change of the polled
    // address, the program's included (a search rebuilds the list), makes them stale.
    connect(CmbNet, &QComboBox::currentIndexChanged, this, &frmSerial::readings_stale);
    connect(CmbNet, &QComboBox::editTextChanged, this, &frmSerial::readings_stale);
    connect(nn1, &QLineEdit::textChanged, this, &frmSerial::readings_stale);
    connect(std_zap, &QCheckBox::toggled, this, &frmSerial::readings_stale);
    // Only the operator's own edits: the program's fills are reads, files or taring.
    for (QLineEdit* box : Text44) connect(box, &QLineEdit::textEdited, this, [this] { grid_changed(Unsent::typed); });
    for (QLineEdit* box : Text45) connect(box, &QLineEdit::textEdited, this, [this] { grid_changed(Unsent::typed); });
    connect(Text43, &QLineEdit::textEdited, this, [this] { grid_changed(Unsent::typed); });
    connect(D_otkl, &QCheckBox::clicked, this, [this] { grid_changed(Unsent::typed); });
    wire_commands();
    wire_table_files();
    wire_taring();
    wire_monitor();
}

// ---- Start-up and connection ---------------------------------------------------------

void frmSerial::Form_Load() {
    state.mode_yes = true;
    state.net_opr = false;
    state.flag_pro_ind = false;

    CmbNet->addItems({QStringLiteral("0"), QStringLiteral("1")});
    CmbNet->setCurrentIndex(0);
    CmbPort->addItems(port_entries({}));
    CmbPort->setCurrentIndex(0);
    connect(&system_ports_, &SystemPorts::listed, this, &frmSerial::add_system_ports);
    system_ports_.start();
    for (int i = 1; i <= 10; ++i) Cmb_Datchik->addItem(QStringLiteral("Sensor %1").arg(i));
    Cmb_Datchik->setCurrentIndex(0);
    Cmb_Datchik_Click();  // the program's pick reads the slot's table like the operator's
}

QStringList frmSerial::port_entries(const QStringList& system_ports) {
    QStringList entries;
    for (int i = 1; i <= 9; ++i) entries << QStringLiteral("COM%1:").arg(i);
    QStringList found = system_ports;
    found.sort();  // the system lists its ports in no fixed order
    for (const QString& port : std::as_const(found))
        if (!port.isEmpty() && !entries.contains(port) && !entries.contains(port + QLatin1Char(':'))) entries << port;
    return entries;
}

void frmSerial::add_system_ports(const QStringList& ports) {
    const QString text = CmbPort->currentText();
    const QStringList entries = port_entries(ports);
    CmbPort->addItems(entries.mid(CmbPort->count()));
    if (CmbPort->currentText() != text) CmbPort->setEditText(text);
    emit system_ports_listed();
}

void frmSerial::set_port(const QString& port) {
    if (const int entry = CmbPort->findText(port); entry >= 0)
        CmbPort->setCurrentIndex(entry);
    else
        CmbPort->setEditText(port);
}

void frmSerial::BTNOpenCom_Click() {
    // A second connect would invert the tagged controls back; one pending does nothing.
    if (connected_ || opening_) return;
    // The box's text: the selected entry, or a device path the operator typed.
    const QString port = CmbPort->currentText();
    opening_ = true;
    line_thread_.open(port, line_settings, [this, port, session = session_](const serial::OpenResult& result) {
        if (session == session_) opened(port, result);
    });
}

void frmSerial::opened(const QString& port, const serial::OpenResult& result) {
    opening_ = false;
    if (result.opened) {
        // "COM3:" as the port list has it, "COM3" as the status line and trelvik-cli name it.
        QString name = port;
        if (name.startsWith(QStringLiteral("COM")) && name.endsWith(QLatin1Char(':'))) name.chop(1);
        traffic_log_.begin(name.toStdString(), console::local_stamp(std::chrono::system_clock::now()));
        connected_ = true;
        read_back_.cancel();  // one owed by the last connection would read another unit, maybe hours later
        // A change asked for while disconnected does not wait for the next connection: that
        // may be to another unit. A read still goes out, as the table read of start-up does.
        const bool dropped = !state.wrs.empty() && !protocol::only_asks(state.wrs);
        if (dropped) state.wrs.clear();
        SwitchTags();
        readings_stale();  // figures from another line, or another run, are not this one's
        TMRComm->start(tick_interval_ms);
        state.err_write = 0;
        MsgCom->setText(dropped ? tr("Подключено: %1. Команда, поданная без подключения, не отправлена: подайте её снова.").arg(name)
                                : tr("Подключено: %1").arg(name));
    } else {
        dialogs_.message(result.message, Dialogs::Buttons::Ok,
                         result.exclamation ? Dialogs::Icon::Exclamation : Dialogs::Icon::None);
        dialogs_.message(tr("%1 Not available!").arg(port));
    }
    emit open_finished();
}

void frmSerial::BTNCloseCom_Click() {
    if (opening_) {  // the open still pending is undone by the close queued behind it
        opening_ = false;
        stop_exchange();
        MsgCom->setText(tr("Отключено."));
        return;
    }
    if (!connected_) return;  // nothing to close; inverting would enable controls for no port
    stop_exchange();
    connected_ = false;
    SwitchTags();
    readings_stale();
    MsgCom->setText(tr("Отключено."));
}

void frmSerial::closeEvent(QCloseEvent* event) {
    if (unsent_ &&
        dialogs_.message(tr("Таблица для %1 не записана в блок (%2). Закрыть программу и потерять её?")
                             .arg(Cmb_Datchik->itemText(unsent_->slot), unsent_how()),
                         Dialogs::Buttons::YesNoDefaultNo, Dialogs::Icon::Exclamation) != Dialogs::Answer::Yes) {
        event->ignore();
        return;
    }
    if (taring_ && !taring_->close()) {
        event->ignore();
        return;
    }
    event->accept();
}

void frmSerial::stop_exchange() {
    TMRComm->stop();
    ++session_;
    in_flight_ = false;
    read_back_.dropped();
    line_thread_.close();
}

void frmSerial::CmbNet_Change() { state.wrs = Zapros_ser_num(); }

void frmSerial::SwitchTags() {
    // A control's own enabled state, not the one it inherits from its frame.
    for (QWidget* w : findChildren<QWidget*>())
        if (tagged_one(w)) w->setEnabled(w->testAttribute(Qt::WA_ForceDisabled));
}

std::optional<int> frmSerial::selected_index(const QComboBox* box) {
    const int current = box->currentIndex();
    if (current >= 0 && box->itemText(current) == box->currentText()) return current;
    const int typed = box->findText(box->currentText(), Qt::MatchExactly);
    if (typed >= 0) return typed;
    return std::nullopt;
}

std::optional<Byte> frmSerial::selected_net() const {
    const auto index = selected_index(CmbNet);
    if (!index) return std::nullopt;
    return to_byte(CmbNet->itemText(*index));
}

std::optional<Byte> frmSerial::polled_address() const {
    if (std_zap->isChecked()) return to_byte(nn1->text()).value_or(1);
    return selected_net();
}

Bytes frmSerial::Zapros_ser_num() const {
    const auto address = selected_net();
    if (!address) return {};
    return protocol::sensor_request(*address, protocol::cmd_read_sn);
}

// ---- Poll switch -----------------------------------------------------------------------

void frmSerial::block_Click() {
    state.block_zapros = !state.block_zapros;
    block->setText(state.block_zapros ? tr("Разблокировка") : tr("Блокировка"));
    if (!state.block_zapros) readings_stale();  // nothing keeps them up to date now
}

// ---- The sensor's figures -------------------------------------------------------------------

void frmSerial::readings_stale() {
    readings_current_ = false;
    show_readings();
    tell_polling();  // the same changes (a line, the poll, the address) concern the other windows
}

void frmSerial::tell_polling() {
    const auto polled = polled_address();
    const auto main_polls = state.block_zapros ? std::optional<int>(polled ? int{*polled} : -1) : std::nullopt;
    if (taring_) taring_->main_polls(main_polls);
    if (monitor_) monitor_->main_polls(connected_, main_polls);
}

void frmSerial::show_readings() {
    const bool current = connected_ && readings_current_;
    for (QLabel* figure : {uroven, temp, tek, lo, hi, ne}) figure->setEnabled(current);
    // Not one of the connection's controls: while disconnected its frame greys it, as designed.
    ko->setEnabled(!connected_ || current);
}

// ---- The exchange cycle ------------------------------------------------------------------

void frmSerial::TMRComm_Timer() {
    if (in_tick_ || in_flight_) return;  // a box opened by a tick is up, or the line is busy
    if (!connected_) return;  // a timeout that was already due when the cycle stopped
    Byte request_crc = 0;

    const auto address = selected_net();
    if (address && *address != state.last_net) {
        state.wrs = Zapros_ser_num();
        state.last_net = *address;
    }
    watch_polled_sensor();
    tell_polling();

    if (state.flag_pro_ind) wrs_prov_ind();  // replaces whatever was pending

    // A confirmed table write is read back before the poll resumes, as any read.
    if (state.wrs.empty()) {
        if (auto read = read_back_.take_read_back()) {
            state.wrs = std::move(*read);
            out_win(state.wrs);
        }
    }

    if (state.wrs.empty()) state.wrs = taring_identity_request();

    if (state.wrs.empty() && address && state.block_zapros) {
        const bool standard = std_zap->isChecked();
        state.wrs = protocol::sensor_request(*polled_address(), standard ? protocol::cmd_poll_short : protocol::cmd_poll_full);
        request_crc = state.wrs.back();
        // A sensor gone quiet (off the bus, say) leaves its last figures standing: after a
        // few polls without its answer they are no longer shown as current.
        if (++polls_unanswered_ > polls_before_stale) readings_stale();
    }

    if (state.wrs.empty() && avtozap->isChecked())
        state.wrs.assign(exchange::auto_request_burst.begin(), exchange::auto_request_burst.end());

    out_win(state.wrs);

    // Sent or dropped, the frame leaves `wrs`: a failed frame is not retried, and what
    // handlers leave meanwhile waits for the next tick.
    Bytes frame = std::exchange(state.wrs, {});
    in_flight_ = true;
    line_thread_.exchange(frame, [this, frame, request_crc, session = session_](const exchange::LineResult& result) {
        log_traffic(result, frame);  // it was on the line, whether or not the session still takes it
        if (session != session_) return;  // stopped meanwhile: nothing of it is applied
        in_flight_ = false;
        finish_tick(result, frame, request_crc);
        emit tick_finished();
    });
}

void frmSerial::finish_tick(const exchange::LineResult& result, const Bytes& frame, Byte request_crc) {
    const QScopedValueRollback<bool> running(in_tick_, true);
    if (!exchange::write_succeeded(result, frame.size())) {
        read_back_.dropped();
        write_failed();  // the bytes read in this tick are dropped with the frame
        return;
    }
    state.err_write = 0;
    Pic->set_fill_colour(exchange::next_lamp_colour(Pic->fill_colour()));
    // What came answers the previous tick's frame; what went out is answered next tick.
    const auto read_back = read_back_.received(result.received);
    read_back_.sent(frame);
    if (result.received.empty()) {
        show_read_back(read_back);  // a read-back that drew no answer
        return;
    }
    const unsigned session = session_;
    {
        const QScopedValueRollback<std::optional<std::chrono::system_clock::time_point>> read_at(reply_read_at_,
                                                                                                 result.read_at);
        dispatch(result.received, request_crc, read_back);
    }
    if (session != session_) return;  // disconnected from inside a box dispatch showed
    Pic->set_fill_colour(exchange::lamp_red);
    line_thread_.flush();
}

void frmSerial::write_failed() {
    const unsigned session = session_;
    dialogs_.message(tr("Error writing to comm's"));
    // The operator may have disconnected while the box was up: the cycle is stopped already.
    if (session != session_) return;
    if (state.err_write < exchange::write_failures_tolerated) {
        ++state.err_write;
        return;
    }
    stop_exchange();
    connected_ = false;
    SwitchTags();
    readings_stale();
    MsgCom->setText(tr("Отключено."));
}

// ---- Reply dispatch -----------------------------------------------------------------------

void frmSerial::dispatch(ByteView rx, Byte request_crc, const exchange::TableReadBack::Outcome& read_back) {
    const exchange::Dispatch d = exchange::dispatch_reply(rx, request_crc, state.net_opr, language::code_page());
    if (d.dump) txtRec->setPlainText(from_utf8(*d.dump));

    switch (d.family) {
    case exchange::ReplyFamily::Sensor:
        if (d.identity) {
            sn->setText(d.identity->serial ? QString::number(*d.identity->serial) : QStringLiteral("????????"));
            if (d.identity->version) vv->setText(from_utf8(*d.identity->version));
            const int address = rx[1];
            const QString version = d.identity->version ? from_utf8(*d.identity->version)
                                    : identified_.address == address ? identified_.version
                                                                     : QString();
            identified_ = {address, d.identity->serial, version};
            if (taring_ && taring_->target().address == address) identity_asks_ = 0;
            emit sensor_identity(address, d.identity->serial, version);
        }
        if (d.full_poll) {
            const exchange::FullPoll& f = *d.full_poll;
            temp->setText(QString::number(f.temperature));
            ne->setText(QString::number(f.address));
            uroven->setText(QString::number(f.level));
            tek->setText(QString::number(f.current));
            lo->setText(QString::number(f.lower));
            hi->setText(QString::number(f.upper));
            ko->setText(QString::number(f.k));
            if (f.mode && state.mode_yes) Out_modes(*f.mode);
            readings_current_ = state.block_zapros && f.address == polled_address();
            if (readings_current_) polls_unanswered_ = 0;
            show_readings();
            emit sensor_level(f.address, f.level);
            emit sensor_polled(exchange::polled(f), reply_read_at_.value_or(std::chrono::system_clock::now()));
        }
        if (d.short_poll) {
            if (d.short_poll->temperature) temp->setText(QString::number(*d.short_poll->temperature));
            if (d.short_poll->level) uroven->setText(QString::number(*d.short_poll->level));
            readings_current_ = state.block_zapros && d.short_poll->address == polled_address();
            if (readings_current_) polls_unanswered_ = 0;
            show_readings();
            if (const auto poll = exchange::polled(*d.short_poll))
                emit sensor_polled(*poll, reply_read_at_.value_or(std::chrono::system_clock::now()));
        }
        if (d.status) MsgCom->setText(language::worded(*d.status));
        if (d.set_mode) Out_modes(*d.set_mode);
        if (d.unknown_sensor_code) dialogs_.message(tr("Пришла какая-то фигня"));
        break;

    case exchange::ReplyFamily::Display:
        if (d.status) {
            // A write's confirmation names the slot written, whichever the list shows now.
            const QString slot = read_back.kind == exchange::TableReadBack::Outcome::Kind::confirmed
                                     ? Cmb_Datchik->itemText(read_back.slot)
                                     : Cmb_Datchik->currentText();
            MsgCom->setText(d.after_slot ? slot + language::worded(*d.status) : language::worded(*d.status));
        }
        // The read-back of a slot the operator has left since is told on the status line
        // alone: the grid shows the slot the list names.
        if (const bool left_slots_read_back = read_back.kind != exchange::TableReadBack::Outcome::Kind::none &&
                                              read_back.slot != Cmb_Datchik->currentIndex();
            d.table && !left_slots_read_back) {
            if (!unsent_) {
                rdtab(rx);
            } else {
                // Work not yet sent came into the grid after this table was asked for.
                MsgCom->setText(
                    tr("%1. Прочитанная таблица не показана: в окне незаписанная.").arg(Cmb_Datchik->currentText()));
            }
        }
        // The grid as it was written is what the unit holds now.
        if (read_back.kind == exchange::TableReadBack::Outcome::Kind::confirmed && written_version_ == grid_version_)
            unsent_.reset();
        break;

    case exchange::ReplyFamily::SearchResult:
        if (state.net_opr && d.addresses) {
            QString found;
            CmbNet->clear();
            for (Byte a : *d.addresses) {
                CmbNet->addItem(QString::number(a));
                found += QString::number(a) + u' ';
            }
            CmbNet->setCurrentIndex(0);
            netdev->setText(found);
            txtRec->setPlainText(from_utf8(protocol::hex_line(rx)));
            state.wrs = Zapros_ser_num();
            MsgCom->setText(tr("Произошел опрос сети."));
        }
        state.net_opr = false;
        break;
    }
    show_read_back(read_back);
}

// ---- Traffic and mode display -------------------------------------------------------------

void frmSerial::out_win(ByteView wwrs) { txtRec->setPlainText(from_utf8(console::out_win_text(wwrs, language::code_page())));
}

void frmSerial::Out_modes(Byte nn) {
    iinv->setChecked(nn & 0x01);
    switch (nn & 0x06) {
    case 0x00: R485->setChecked(true); break;
    case 0x02: R_a->setChecked(true); break;
    case 0x04: R_f->setChecked(true); break;
    default: break;  // 0x06 names no output mode: the buttons keep their state
    }
    usredn->setChecked(nn & 0x08);
    state.mode_yes = false;
}

// ---- Calibration table reading --------------------------------------------------------------

void frmSerial::rd_table_Click() {
    if (keeps_unsent_table()) return;
    rd_str();
}

void frmSerial::Cmb_Datchik_Click() {
    if (keeps_unsent_table()) return;
    rd_str();
}

void frmSerial::rd_str() {
    const int slot = Cmb_Datchik->currentIndex();
    if (slot < 0) return;
    read_back_.read_by_operator(static_cast<Byte>(slot));  // his read of the slot takes its place
    state.wrs = calibration::build_read_table(static_cast<Byte>(slot));
    out_win(state.wrs);
}

void frmSerial::rdtab(ByteView Ans) {
    const calibration::TableReply r = calibration::decode_table_reply(Ans);
    std::vector<std::string> previous;
    previous.reserve(std::size_t{2} * points);
    for (const auto* box : Text44) previous.push_back(box->text().toStdString());
    for (const auto* box : Text45) previous.push_back(box->text().toStdString());

    out_win(Ans);
    if (r.net) Text43->setText(QString::number(*r.net));
    // A reply cut before the status byte leaves the switch alone: checking it would
    // switch the slot off at the next table write.
    if (r.status) D_otkl->setChecked(!(*r.status & calibration::slot_in_service));
    for (std::size_t k = 0; k < r.values.size(); ++k) Text44[k]->setText(QString::number(r.values[k]));
    for (std::size_t k = 0; k < r.litres.size(); ++k) Text45[k]->setText(QString::number(r.litres[k]));
    if (!r.mode) return;  // decoding ended early: the box keeps the reply as received

    // The display unit's mode: bit 0 passive (else active), bit 2 the ВИРС mode.
    (*r.mode & protocol::display_passive ? Option1 : Option2)->setChecked(true);
    Check_vedom->setChecked(*r.mode & protocol::display_virs);
    txtRec->setPlainText(from_utf8(calibration::table_dump(previous, Ans, r.computed_crc)));
}
