// Starts the console's window as the program does and prints "shown" once its first
// paint is done, then quits. startup_bench times it from process start. With --bare it
// shows a plain window of the console's size instead: the floor to compare with.

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "console/frm_serial.h"
#include "console/qt_dialogs.h"

namespace {

class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // After this paint has finished.
            QTimer::singleShot(0, [] {
                std::puts("shown");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FirstPaint first_paint;
    if (QCoreApplication::arguments().contains(QStringLiteral("--bare"))) {
        QWidget bare;
        bare.setFixedSize(625, 583);  // the console window's client area
        bare.installEventFilter(&first_paint);
        bare.show();
        return QApplication::exec();
    }
    QtDialogs dialogs;
    serial::SerialPortLine line;
    frmSerial window(dialogs, line);
    window.installEventFilter(&first_paint);
    window.show();
    return QApplication::exec();
}
