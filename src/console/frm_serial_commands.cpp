// frmSerial's operator commands. Each reads its controls, asks the operator through the
// dialog layer, has the frame built by the protocol layer and leaves it in `wrs`,
// replacing or appending as the command does; the tick sends it.

#include <QCoreApplication>

#include "calibration/order_words.h"
#include "calibration/table_checks.h"
#include "calibration/table_texts.h"
#include "console/frm_serial.h"
#include "language/language.h"
#include "network/manual_requests.h"
#include "network/search.h"
#include "protocol/commands.h"

using protocol::Byte;
using protocol::Bytes;

namespace {

QString enter_address() { return QCoreApplication::translate("frmSerial", "Установите существующий сетевой адрес"); }

// Greyed counts as set for the mode boxes.
bool is_set(const QCheckBox* box) { return box->checkState() != Qt::Unchecked; }

QString field_name(const std::string& field) {
    if (field == "network_number") return QCoreApplication::translate("frmSerial", "сет. номер");
    if (field == "switched_off") return QCoreApplication::translate("frmSerial", "отключен");
    if (field == "sensor_value") return QCoreApplication::translate("frmSerial", "значение");
    return QCoreApplication::translate("frmSerial", "литры");
}

QString field_value(const calibration::TableDifference& d, std::uint32_t value) {
    if (d.field == "switched_off") return value != 0 ? QCoreApplication::translate("frmSerial", "да") : QCoreApplication::translate("frmSerial", "нет");
    return QString::number(value);
}

// "строка 40: литры 400 → 401"
QString difference_words(const calibration::TableDifference& d) {
    const QString change = QCoreApplication::translate("frmSerial", "%1 %2 → %3")
                               .arg(field_name(d.field), field_value(d, d.written), field_value(d, d.read));
    return d.row > 0 ? QCoreApplication::translate("frmSerial", "строка %1: %2").arg(QString::number(d.row), change) : change;
}

}  // namespace

void frmSerial::wire_commands() {
    connect(write_struct, &QPushButton::clicked, this, &frmSerial::write_struct_Click);
    connect(zapForm, &QPushButton::clicked, this, &frmSerial::zapForm_Click);
    connect(Opros, &QPushButton::clicked, this, &frmSerial::Opros_Click);
    connect(pwdIn, &QPushButton::clicked, this, &frmSerial::pwdIn_Click);
    connect(set_pwd, &QPushButton::clicked, this, &frmSerial::set_pwd_Click);
    connect(Set_mode, &QPushButton::clicked, this, &frmSerial::Set_mode_Click);
    connect(mode_ind, &QPushButton::clicked, this, &frmSerial::mode_ind_Click);
    connect(prov_ind, &QPushButton::clicked, this, &frmSerial::prov_ind_Click);
    connect(low, &QPushButton::clicked, this, &frmSerial::low_Click);
    connect(hig, &QPushButton::clicked, this, &frmSerial::hig_Click);
    connect(net, &QPushButton::clicked, this, &frmSerial::net_Click);
    connect(InstSN, &QPushButton::clicked, this, &frmSerial::InstSN_Click);
    connect(send_zap, &QPushButton::clicked, this, &frmSerial::send_zap_Click);
    connect(zzaapp, &QPushButton::clicked, this, &frmSerial::zzaapp_Click);
    // Any change of the mark, the program's included, swaps the address controls.
    connect(std_zap, &QCheckBox::toggled, this, &frmSerial::std_zap_Click);
}

std::optional<std::int32_t> frmSerial::typed(const QString& text, protocol::Range range) {
    return protocol::typed_number(text.toStdString(), decimal_separator(), range);
}

void frmSerial::append_to_wrs(const Bytes& frame) { protocol::append(state.wrs, frame); }

void frmSerial::show_pending() {
    out_win(state.wrs);
    // The tick sends only while connected, and a change left for a later connection is
    // dropped then (that may be another unit): said now, not only at the connection.
    if (!connected_ && !state.wrs.empty() && !protocol::only_asks(state.wrs))
        MsgCom->setText(tr("Нет подключения: команда не отправлена. Подключитесь («Подключить») и подайте её снова."));
}

// ---- Calibration table writing -----------------------------------------------------------

void frmSerial::write_struct_Click() {
    const int slot = Cmb_Datchik->currentIndex();
    if (slot < 0) return;
    const auto table = calibration::table_from_texts(grid_texts(), decimal_separator());
    if (const auto* bad = std::get_if<calibration::FieldError>(&table)) {
        // Nothing of the table goes out; whatever was pending stays pending.
        dialogs_.message(language::worded(calibration::field_error_message(*bad)));
        return;
    }
    const auto& sent = std::get<calibration::CalibrationTable>(table);
    if (const auto breaks = calibration::order_breaks(sent); !breaks.empty()) {
        const QString question = tr("%1 Записать всё равно?").arg(calibration::order_problem(breaks, 3));
        if (dialogs_.message(question, Dialogs::Buttons::YesNoDefaultNo, Dialogs::Icon::Exclamation) !=
            Dialogs::Answer::Yes)
            return;
    }
    read_back_.cancel();  // this write will be read back once confirmed
    written_version_ = grid_version_;
    state.wrs = calibration::build_write_table(static_cast<Byte>(slot), sent);
    show_pending();
}

void frmSerial::grid_changed(Unsent how) {
    ++grid_version_;
    unsent_ = UnsentTable{Cmb_Datchik->currentIndex(), how};
}

QString frmSerial::unsent_how() const {
    const QString how[] = {tr("изменена вручную"), tr("загружена из файла"), tr("сделана тарировкой")};
    return how[static_cast<int>(unsent_->how)];
}

bool frmSerial::keeps_unsent_table(const std::optional<QString>& loading) {
    if (!unsent_) return false;
    const QString question = (loading ? tr("Таблица для %1 не записана в блок (%2). Загрузить %3 и потерять её?")
                                      : tr("Таблица для %1 не записана в блок (%2). Прочитать %3 и потерять её?"))
                                 .arg(Cmb_Datchik->itemText(unsent_->slot), unsent_how(),
                                      loading.value_or(Cmb_Datchik->currentText()));
    if (dialogs_.message(question, Dialogs::Buttons::YesNoDefaultNo, Dialogs::Icon::Exclamation) ==
        Dialogs::Answer::Yes) {
        unsent_.reset();
        return false;
    }
    // The list names the slot the grid's table is meant for, so a write goes there.
    Cmb_Datchik->setCurrentIndex(unsent_->slot);
    return true;
}

void frmSerial::show_read_back(const exchange::TableReadBack::Outcome& outcome) {
    using Kind = exchange::TableReadBack::Outcome::Kind;
    const QString slot = Cmb_Datchik->itemText(outcome.slot);
    switch (outcome.kind) {
    case Kind::none:
    case Kind::confirmed: return;  // the unit's own line stands until the read-back's answer
    case Kind::same:
        MsgCom->setText(tr("%1. Таблица проверена: в блоке то же, что отправлено.").arg(slot));
        return;
    case Kind::different: {
        QStringList differences;
        for (const auto& d : outcome.differences) differences << difference_words(d);
        // The first is named: the grid now shows all of them as the unit holds them.
        MsgCom->setText(tr("%1. В блоке другое: %2.").arg(slot, language::listed(differences, 1)));
        return;
    }
    case Kind::unchecked:
        MsgCom->setText(tr("%1. Таблица не проверена: блок не вернул её целой.").arg(slot));
        return;
    }
}

calibration::TableTexts frmSerial::grid_texts() const {
    calibration::TableTexts texts;
    texts.net = Text43->text().toStdString();
    texts.switched_off = D_otkl->isChecked();
    for (int k = 0; k < points; ++k) {
        texts.values[k] = Text44[k]->text().toStdString();
        texts.litres[k] = Text45[k]->text().toStdString();
    }
    return texts;
}

void frmSerial::zapForm_Click() {
    for (int k = 0; k < points; ++k) Text44[k]->setText(QString::fromStdString(calibration::test_pattern_text(k)));
    for (int k = 0; k < points; ++k) Text45[k]->setText(QString::fromStdString(calibration::test_pattern_text(k)));
    grid_changed(Unsent::typed);
}

// ---- Network search --------------------------------------------------------------------------

void frmSerial::Opros_Click() {
    state.wrs.assign(network::cmd_search.begin(), network::cmd_search.end());
    show_pending();
    state.net_opr = true;
    state.mode_yes = true;
}

// ---- Password --------------------------------------------------------------------------------

std::optional<std::uint32_t> frmSerial::typed_password(const QString& answer, const QString& no_address) {
    if (answer.isEmpty()) return std::nullopt;  // cancelled
    if (!selected_net()) {
        dialogs_.message(no_address);
        return std::nullopt;
    }
    const auto password = typed(answer, protocol::password_range);
    if (!password) {
        dialogs_.message(tr("Enter numeric password in range 0....2 000 000 000"));
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*password);
}

void frmSerial::pwdIn_Click() {
    state.wrs.clear();
    const QString answer = dialogs_.input(tr("Enter password"), tr("Password"));
    const auto password = typed_password(answer, tr("Enter correct password"));
    if (!password) return;
    state.wrs = protocol::password_request(protocol::cmd_enter_password, *password);
    show_pending();
}

void frmSerial::set_pwd_Click() {
    state.wrs.clear();
    if (dialogs_.message(tr("Changing password. Are you sure?"), Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes)
        return;
    const QString answer =
        dialogs_.input(tr("Enter new password"), tr("Password"), QStringLiteral("0"));
    const auto password = typed_password(answer, tr("Invalid password"));
    if (!password) return;
    state.wrs = protocol::password_request(protocol::cmd_set_password, *password);
    show_pending();
}

// ---- Modes -----------------------------------------------------------------------------------

void frmSerial::Set_mode_Click() {
    std::optional<protocol::Output> output;
    if (R485->isChecked()) output = protocol::Output::rs485;
    if (R_a->isChecked()) output = protocol::Output::analog;
    if (R_f->isChecked()) output = protocol::Output::frequency;
    const Byte mode = protocol::sensor_mode(output, is_set(iinv), is_set(usredn));
    const auto address = selected_net();
    if (!address) return;
    append_to_wrs(protocol::set_mode_request(*address, mode));
    show_pending();
    state.mode_yes = true;  // the next full poll shows the mode the sensor took
}

void frmSerial::mode_ind_Click() {
    state.wrs = protocol::display_mode_request(protocol::display_mode(Option1->isChecked(), is_set(Check_vedom)));
    show_pending();
}

// ---- Indicator check -------------------------------------------------------------------------

void frmSerial::prov_ind_Click() {
    state.flag_pro_ind = !state.flag_pro_ind;
    prov_ind->setText(state.flag_pro_ind ? tr("СТОП") : tr("Проверка"));
}

void frmSerial::wrs_prov_ind() {
    // Greyed does not hold the value: only a real check mark does.
    state.wrs = indicator_check_.next_frame(fix_dig->checkState() == Qt::Checked);
    out_win(state.wrs);
}

// ---- Level, network number and serial number ----------------------------------------------------

void frmSerial::low_Click() {
    if (const auto address = selected_net()) append_to_wrs(protocol::sensor_request(*address, protocol::cmd_set_low));
}

void frmSerial::hig_Click() {
    if (const auto address = selected_net()) append_to_wrs(protocol::sensor_request(*address, protocol::cmd_set_high));
}

void frmSerial::net_Click() {
    const QString answer = dialogs_.input(tr("Введите новый сетевой номер"),
                                          tr("Ввод сетевого номера"), QStringLiteral("0"));
    if (answer.isEmpty()) return;
    const auto address = selected_net();
    if (!address) {
        dialogs_.message(enter_address());
        return;
    }
    const auto number = typed(answer, protocol::net_range);
    if (!number) {
        dialogs_.message(tr("Введите число в диапазоне 0....200"));
        return;
    }
    append_to_wrs(protocol::set_net_request(*address, static_cast<Byte>(*number)));
    show_pending();
}

void frmSerial::InstSN_Click() {
    state.wrs.clear();
    const QString answer =
        dialogs_.input(tr("Введите серийный номер"), tr("Ввод серийного номера"),
                       QStringLiteral("0"));
    if (answer.isEmpty()) return;
    if (const auto address = selected_net()) {
        const auto serial = typed(answer, protocol::serial_range);
        if (!serial) {
            dialogs_.message(tr("Введите число в диапазоне 0....2 000 000"));
            return;
        }
        append_to_wrs(protocol::set_sn_request(*address, static_cast<std::uint32_t>(*serial)));
    } else {
        dialogs_.message(enter_address());  // and the box shows the empty frame
    }
    show_pending();
}

// ---- Manual requests ----------------------------------------------------------------------------

void frmSerial::send_zap_Click() {
    const auto n = typed(chis1->text(), protocol::ext_value_range);
    if (!n) {
        dialogs_.message(tr("Enter value in range 0....9999"));
        return;
    }
    state.wrs = network::ext_value_requests(static_cast<std::uint16_t>(*n));
    show_pending();
}

void frmSerial::zzaapp_Click() {
    state.wrs.assign(network::query_frame_Q.begin(), network::query_frame_Q.end());
    show_pending();
}

void frmSerial::std_zap_Click() {
    const bool typed_address = std_zap->isChecked();
    CmbNet->setVisible(!typed_address);
    nn1->setVisible(typed_address);
}
