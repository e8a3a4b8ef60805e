#include "session_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "language/language.h"
#include "session_file.h"

namespace taring {

namespace {

bool english() { return language::current() == language::Language::english; }

}  // namespace

QStringList session_folders(const QString& documents) {
    // Names on disk, not texts to translate: both are needed in either language.
    const QString russian = QStringLiteral("Тарировки");
    const QString in_english = QStringLiteral("Taring sessions");
    const QDir dir(documents);
    return english() ? QStringList{dir.filePath(in_english), dir.filePath(russian)}
                     : QStringList{dir.filePath(russian), dir.filePath(in_english)};
}

QString new_session_path(const QString& folder, const QDate& day, int address, std::optional<std::uint32_t> serial) {
    const QString by_serial = english() ? QStringLiteral(" sensor %1") : QStringLiteral(" датчик %1");
    const QString by_address = english() ? QStringLiteral(" address %1") : QStringLiteral(" адрес %1");
    const QString stem = day.toString(Qt::ISODate) + (serial ? by_serial.arg(*serial) : by_address.arg(address));
    const QDir dir(folder);
    QString path = dir.filePath(stem + QStringLiteral(".json"));
    for (int n = 2; QFileInfo::exists(path); ++n) path = dir.filePath(stem + QStringLiteral(" (%1).json").arg(n));
    return path;
}

std::optional<Unfinished> unfinished_session(const QStringList& folders, int address, std::optional<std::uint32_t> serial) {
    QFileInfoList files;
    QStringList seen;
    for (const QString& folder : folders) {
        const QString absolute = QDir(folder).absolutePath();
        if (seen.contains(absolute)) continue;
        seen.append(absolute);
        files.append(QDir(folder).entryInfoList({QStringLiteral("*.json")}, QDir::Files | QDir::Readable));
    }
    // Newest first, whichever folder: the first that fits is the one left last.
    std::stable_sort(files.begin(), files.end(),
                     [](const QFileInfo& a, const QFileInfo& b) { return a.lastModified() > b.lastModified(); });
    for (const QFileInfo& file : files) {
        auto read = read_session_file(file.filePath());
        auto* session = std::get_if<TaringSession>(&read);
        if (session && !session->finished && !session->points.empty() && session->address == address &&
            session->serial == serial)
            return Unfinished{file.filePath(), std::move(*session)};
    }
    return std::nullopt;
}

}  // namespace taring
