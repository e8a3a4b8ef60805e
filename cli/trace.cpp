#include "trace.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <chrono>

#include "language/language.h"
#include "option_names.h"

namespace cli {

namespace {

exchange::TraceTime now() {
    const QDateTime wall = QDateTime::currentDateTime();
    const auto steady = std::chrono::steady_clock::now().time_since_epoch();
    return {{wall.toMSecsSinceEpoch(), wall.offsetFromUtc()},
            std::chrono::duration_cast<std::chrono::milliseconds>(steady).count()};
}

}  // namespace

QCommandLineOption trace_option() {
    return {QStringList{option::trace},
            QCoreApplication::translate("Trace", "Записать каждый кадр линии, каждый повтор и тайм-аут в FILE "
                                                 "(файл заменяется) или, при -, в стандартный поток ошибок."),
            QStringLiteral("FILE")};
}

QString trace_usage() {
    return QCoreApplication::translate("Trace",
                                       "  --trace FILE  каждый отправленный и принятый кадр, повторы, тайм-ауты и\n"
                                       "                сброшенный ввод, по строке, в FILE (файл заменяется; - —\n"
                                       "                стандартный поток ошибок)\n");
}

QString no_line_to_trace(const QString& command) {
    return QCoreApplication::translate("Trace", "--trace: команда %1 не работает с линией").arg(command);
}

TraceFile::TraceFile(std::ostream& standard_error, bool to_standard_error)
    : standard_error_(standard_error),
      to_standard_error_(to_standard_error),
      writer_([this](std::string_view line) { write(line); }, now,
              [](const protocol::Text& text) { return language::in_english(text).toStdString(); }) {}

namespace {

Failed refused(const QString& path, const QString& why) {
    return {Status::bad_use, QCoreApplication::translate("Trace", "файл трассировки «%1» не записать: %2").arg(path, why).toStdString()};
}

}  // namespace

Outcome<std::unique_ptr<TraceFile>> TraceFile::open(const QString& path, std::ostream& standard_error) {
    if (path == QLatin1String("-")) return std::unique_ptr<TraceFile>(new TraceFile(standard_error, true));
    // Checked with the other arguments; an answer the system gives only when the file is
    // opened (access rules, a file held by another program) stops the command at begin().
    if (path.isEmpty()) return refused(path, QCoreApplication::translate("Trace", "нет имени"));
    const QFileInfo file(path);
    if (file.isDir()) return refused(path, QCoreApplication::translate("Trace", "это папка"));
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir()) return refused(path, QCoreApplication::translate("Trace", "нет папки %1").arg(folder.filePath()));
    if (file.exists() ? !file.isWritable() : !folder.isWritable())
        return refused(path, QCoreApplication::translate("Trace", "нет доступа для записи"));
    std::unique_ptr<TraceFile> trace(new TraceFile(standard_error, false));
    trace->file_.setFileName(path);
    return trace;
}

std::optional<Failed> TraceFile::begin() {
    if (to_standard_error_ || file_.isOpen()) return std::nullopt;
    // "\n" on every system, as the console saves its traffic: one script reads them all.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return refused(file_.fileName(), file_.errorString());
    return std::nullopt;
}

void TraceFile::lose() {
    lost_ = QCoreApplication::translate("Trace", "трассировка в «%1» неполна: %2")
                .arg(file_.fileName(), file_.errorString())
                .toStdString();
    standard_error_ << "trelvik-cli: " << *lost_ << QCoreApplication::translate("Trace", "; команда продолжается")
                                                        .toStdString()
                    << std::endl;
}

void TraceFile::write(std::string_view line) {
    if (to_standard_error_) {
        standard_error_ << line << '\n';
        standard_error_.flush();
        return;
    }
    if (lost_) return;
    if (!file_.isOpen()) {  // begun before any line: only a failure since then lands here
        lose();
        return;
    }
    const bool whole = file_.write(line.data(), static_cast<qint64>(line.size())) == static_cast<qint64>(line.size()) &&
                       file_.write("\n", 1) == 1 && file_.flush();
    if (!whole) lose();
}

}  // namespace cli
