#include "whole_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "language/language.h"

namespace calibration {

namespace {

QString named(const QString& path, const QString& what) {
    //: A file's name, then what is wrong with the whole file.
    return QCoreApplication::translate("TableFile", "%1: %2").arg(QFileInfo(path).fileName(), what);
}

QString no_name() { return QCoreApplication::translate("TableFile", "имя файла пусто"); }

}  // namespace

std::variant<QByteArray, QString> read_whole_file(const QString& path) {
    if (path.isEmpty()) return no_name();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return named(path, file.errorString());
    // Read to one byte past the limit: a device or a pipe has no size to ask for.
    QByteArray bytes = file.read(max_table_file_size + 1);
    if (bytes.size() > max_table_file_size) return named(path, QCoreApplication::translate("TableFile", "файл слишком велик для таблицы"));
    if (file.error() != QFileDevice::NoError) return named(path, file.errorString());
    return bytes;
}

std::optional<QString> write_whole_file(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) return no_name();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return named(path, file.errorString());
    // A small file stays in the write buffer until it is flushed; a flush that fails
    // inside commit() would still put the short file in place of the old one, so the
    // flush is asked for, and checked, first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return named(path, reason);
    }
    if (!file.commit()) return named(path, file.errorString());
    return std::nullopt;
}

QString file_message(const QString& path, const FileProblem& problem) {
    const QString what = language::worded(problem.what);
    QString text = problem.where.empty()
                       ? named(path, what)
                       //: A file's name, where in the file, then what is wrong there.
                       : QCoreApplication::translate("TableFile", "%1, %2: %3")
                             .arg(QFileInfo(path).fileName(), language::worded(problem.where), what);
    //: What is wrong in a file, then how to put it right.
    if (!problem.remedy.empty()) text = QCoreApplication::translate("TableFile", "%1. %2").arg(text, language::worded(problem.remedy));
    return text;
}

}  // namespace calibration
