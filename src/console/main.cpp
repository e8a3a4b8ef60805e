// The console: one window on the one serial line.

#include <QApplication>
#include <QIcon>

#include "console/frm_serial.h"
#include "console/qt_dialogs.h"
#include "serial/line.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("trelvik-console"));
    QApplication::setApplicationDisplayName(QStringLiteral("Trelvik Display v5.2"));
    QApplication::setDesktopFileName(QStringLiteral("trelvik-console"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/trelvik-console.svg")));

    QtDialogs dialogs;
    SerialPortLine line;
    frmSerial window(dialogs, line);
    dialogs.set_parent(&window);
    window.show();
    return QApplication::exec();
}
