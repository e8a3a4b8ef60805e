// The console: one window on the one serial line.
//
// Options besides Qt's own: --help, --version (prints "trelvik-console <version>"),
// --port PATH, which puts PATH into the port box so that "Подключить" opens it, and
// --quit-after-start, which quits with status 0 once the window has painted itself; the
// package test uses it to check that an installed console comes up.

#include <QApplication>
#include <QCommandLineParser>
#include <QEvent>
#include <QIcon>
#include <memory>
#include <string_view>

#include "console/frm_serial.h"
#include "console/present_face.h"
#include "console/qt_dialogs.h"
#include "language/language.h"
#include "serial/line.h"

namespace {

// Ends the event loop with status 0 once the watched window's first paint is done: the
// loop returns after the paint event it is handling.
class QuitAfterFirstPaint final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) QCoreApplication::exit(0);
        return QObject::eventFilter(watched, event);
    }
};

// --help and --version only print: they must work without a display, where a widget
// application cannot start, so a core application answers them.
std::unique_ptr<QCoreApplication> make_application(int& argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h" || option == "--help-all" || option == "--version" || option == "-v")
            return std::make_unique<QCoreApplication>(argc, argv);
    }
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

int main(int argc, char* argv[]) {
    const auto app = make_application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("trelvik-console"));
    QApplication::setApplicationVersion(QStringLiteral(TRELVIK_VERSION));
    // Before any text is worded, --help's included.
    const language::Choice spoken = language::install(*app, language::Program::console);

    QCommandLineParser options;
    options.setApplicationDescription(
        QCoreApplication::translate("main", "Сервисная консоль блока индикации Trelvik и его датчиков"));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption quit_after_start(QStringLiteral("quit-after-start"),
                                              QCoreApplication::translate("main", "Выйти, как только окно показано."));
    options.addOption(quit_after_start);
    const QCommandLineOption port(QStringLiteral("port"),
                                  QCoreApplication::translate("main", "Вписать ПУТЬ в поле порта при запуске."),
                                  QCoreApplication::translate("main", "ПУТЬ"));
    options.addOption(port);
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QCoreApplication::translate("main", "Язык окна: ru или en."),
                                  QStringLiteral("ru|en"));
    options.addOption(lang);
    options.process(*app);  // prints and exits for --help and --version
    if (!spoken.refused.isEmpty())
        qWarning().noquote() << QCoreApplication::translate("main", "«%1»: не язык программы (ru или en); она говорит на %2.")
                                    .arg(spoken.refused, language::code(spoken.language));

    QApplication::setApplicationDisplayName(QStringLiteral("Trelvik Display v5.2"));
    QApplication::setDesktopFileName(QStringLiteral("trelvik-console"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/trelvik-console.svg")));
    // Every window and the calibration report write in a face that is there.
    QApplication::setFont(with_present_face(QApplication::font()));

    QtDialogs dialogs;
    serial::SerialPortLine line;
    frmSerial window(dialogs, line);
    dialogs.set_parent(&window);
    if (options.isSet(port)) window.set_port(options.value(port));
    QuitAfterFirstPaint quit_after_paint;
    if (options.isSet(quit_after_start)) window.installEventFilter(&quit_after_paint);
    window.show();
    return QCoreApplication::exec();
}
