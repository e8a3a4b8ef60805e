// frmSerial's side of taring: the entry that opens the taring window, the poll kept on
// while it is open, the levels and identities it is fed from dispatch, and the table it
// hands back into the grid. The window's design is unchanged: the entry lives in the
// context menu of the frame "Таблица калибровки", beside the table files.

#include <algorithm>

#include <QDir>
#include <QStandardPaths>

#include "console/frm_serial.h"

#include "taring/session_folder.h"
#include "protocol/commands.h"
#include "protocol/requests.h"

namespace {

// A sensor that does not tell its serial number after this many asks is tared without it.
constexpr int identity_asks = 3;

}  // namespace

void frmSerial::wire_taring() {
    auto* separator = new QAction(Frame8);
    separator->setSeparator(true);
    Frame8->addAction(separator);
    tare_action = new QAction(tr("Тарировка бака…"), Frame8);
    tare_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    tare_action->setShortcutVisibleInContextMenu(true);
    Frame8->addAction(tare_action);
    connect(tare_action, &QAction::triggered, this, &frmSerial::open_taring);
}

void frmSerial::open_taring() {
    if (taring_) {
        taring_->raise();
        taring_->activateWindow();
        return;
    }
    const auto address = selected_net();
    if (!address) {
        dialogs_.message(tr("Установите существующий сетевой адрес"));
        return;
    }
    const int slot = Cmb_Datchik->currentIndex();
    if (slot < 0) return;
    // Looked up here, not at start-up: the language's folder for new sessions, and the
    // other language's too, so that a session begun in one is offered in the other.
    const QStringList folders =
        taring_folder.isEmpty()
            ? taring::session_folders(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            : QStringList{taring_folder};
    taring_ = new TaringWindow(dialogs_, {*address, slot, Cmb_Datchik->itemText(slot)}, folders, taring_clock, this);
    taring_->setAttribute(Qt::WA_DeleteOnClose);
    connect(this, &frmSerial::sensor_level, taring_, &TaringWindow::level_read);
    connect(this, &frmSerial::sensor_identity, taring_, &TaringWindow::identity_read);
    taring_->hand_tables_to([this, taring = ++tarings_opened_](const calibration::CalibrationTable& table, int slot) {
        return take_taring_table(table, slot, taring);
    });
    connect(taring_, &TaringWindow::closed, this, &frmSerial::taring_closed);
    connect(taring_, &TaringWindow::watching, this, [this] { identity_asks_ = std::max(identity_asks_, 1); });
    // The poll goes on as "Блокировка" switches it, and is put back when the window closes.
    poll_before_taring_ = state.block_zapros;
    if (!state.block_zapros) block_Click();
    taring_->show();
    // Asked by the ticks, between polls; once more when it is known, in case another
    // sensor has been put at the address since.
    const bool known = identified_.address == *address;
    taring_->begin(known ? identified_.serial : std::nullopt, known ? identified_.version : QString());
    identity_asks_ = known ? 1 : identity_asks;
}

protocol::Bytes frmSerial::taring_identity_request() {
    if (!taring_ || identity_asks_ == 0) return {};
    --identity_asks_;
    return protocol::sensor_request(static_cast<protocol::Byte>(taring_->target().address), protocol::cmd_read_sn);
}

void frmSerial::taring_closed() {
    taring_ = nullptr;
    identity_asks_ = 0;
    if (!poll_before_taring_ && state.block_zapros) block_Click();
}

bool frmSerial::take_taring_table(const calibration::CalibrationTable& table, int slot, int taring) {
    // A table made again by the same taring window replaces the one before it; other unsent
    // work in the grid, another tank's table included, is asked about first.
    const bool again = unsent_ && unsent_->taring == taring && unsent_->slot == slot;
    if (!again && keeps_unsent_table(tr("таблицу тарировки"))) return false;
    // The slot may have been changed meanwhile; the program's pick reads no table.
    Cmb_Datchik->setCurrentIndex(slot);
    show_table(table);
    grid_changed(Unsent::taring);
    unsent_->taring = taring;
    MsgCom->setText(tr("Таблица тарировки готова к записи в %1.").arg(Cmb_Datchik->currentText()));
    return true;
}
