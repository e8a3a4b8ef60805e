#include "session_folder.h"

#include <QDir>
#include <QFileInfo>

#include "session_file.h"

namespace taring {

QString new_session_path(const QString& folder, const QDate& day, int address, std::optional<std::uint32_t> serial) {
    const QString stem = day.toString(Qt::ISODate) +
                         (serial ? QStringLiteral(" датчик %1").arg(*serial) : QStringLiteral(" адрес %1").arg(address));
    const QDir dir(folder);
    QString path = dir.filePath(stem + QStringLiteral(".json"));
    for (int n = 2; QFileInfo::exists(path); ++n) path = dir.filePath(stem + QStringLiteral(" (%1).json").arg(n));
    return path;
}

std::optional<Unfinished> unfinished_session(const QString& folder, int address, std::optional<std::uint32_t> serial) {
    // Newest first: the first that fits is the one left last.
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.json")}, QDir::Files | QDir::Readable, QDir::Time);
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
