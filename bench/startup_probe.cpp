// Starts the console's window as the program does and prints "shown" once its first
// paint is done, then quits. startup_bench times it from process start. With --bare it
// shows a plain window of the console's size instead: the floor to compare with; with
// --bare-text that window shows one line of text, so it loads the fonts as well.

#include <QApplication>
#include <QLabel>
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
    const QStringList options = QCoreApplication::arguments();
    if (options.contains(QStringLiteral("--bare")) || options.contains(QStringLiteral("--bare-text"))) {
        QWidget bare;
        bare.setFixedSize(625, 583);  // the console window's client area
        QLabel text(QStringLiteral("Trelvik Display v5.2"), &bare);
        text.setVisible(options.contains(QStringLiteral("--bare-text")));
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
