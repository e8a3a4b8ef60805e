// frmSerial's side of the sensor monitor: the entry that opens it, the sensor it is told
// to watch, and the traffic log of the connection that it saves. The window's design is
// unchanged: the entry lives in the context menu of the frame "Датчик", and Ctrl+M acts
// on either page.

#include <QFileInfo>
#include <algorithm>

#include "console/frm_serial.h"

void frmSerial::wire_monitor() {
    monitor_action = new QAction(tr("Монитор датчика…"), Frame5);
    monitor_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    monitor_action->setShortcutVisibleInContextMenu(true);
    Frame5->addAction(monitor_action);
    Frame5->setContextMenuPolicy(Qt::ActionsContextMenu);
    addAction(monitor_action);  // the window's own: the shortcut is live whatever page is shown
    connect(monitor_action, &QAction::triggered, this, &frmSerial::open_monitor);
}

void frmSerial::open_monitor() {
    if (!monitor_) {
        // Made once and kept with the window: closed, it only hides, so that its chart and
        // a recording outlive a closed monitor.
        monitor_ = new SensorMonitor(dialogs_, traffic_log_, monitor_clock, this);
        connect(this, &frmSerial::sensor_polled, monitor_, &SensorMonitor::poll_read);
        connect(this, &frmSerial::sensor_identity, monitor_, &SensorMonitor::identity_read);
        connect(monitor_, &SensorMonitor::recording_ended, MsgCom, &QLabel::setText);
        connect(monitor_, &SensorMonitor::closed, this, [this] {
            if (monitor_->recording())
                MsgCom->setText(tr("Запись опросов в файл %1 продолжается; остановить её можно в мониторе (Ctrl+M).")
                                    .arg(QFileInfo(monitor_->recording_file()).fileName()));
        });
        watch_polled_sensor();
        tell_polling();
    }
    monitor_->show();
    monitor_->raise();
    monitor_->activateWindow();
}

void frmSerial::watch_polled_sensor() {
    if (!monitor_) return;
    const auto address = polled_address();
    if (!address) return;  // nothing selected: the sensor watched so far stays
    const bool known = identified_.address == *address;
    monitor_->watch(int{*address}, known ? identified_.serial : std::nullopt,
                    known ? identified_.version : QString());
}

void frmSerial::log_traffic(const exchange::LineResult& result, protocol::ByteView sent) {
    traffic_log_.add(console::local_stamp(result.read_at), exchange::Direction::Received, result.received);
    if (result.written > 0)
        traffic_log_.add(console::local_stamp(result.written_at), exchange::Direction::Sent,
                         sent.first(std::min(sent.size(), static_cast<std::size_t>(result.written))));
}
