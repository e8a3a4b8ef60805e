#include "arguments.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include "calibration/unit_backup.h"
#include "option_names.h"
#include "protocol/commands.h"
#include "protocol/requests.h"

namespace cli {

Failed bad(const QString& message) { return {Status::bad_use, message.toStdString()}; }

Outcome<std::int32_t> number(const QString& name, const QString& text, protocol::Range range) {
    const auto n = protocol::typed_number(text.toStdString(), "", range);
    if (!n)
        return bad(name + " takes a whole number " + QString::number(range.min) + " to " + QString::number(range.max) +
                   ", not \"" + text + "\"");
    return *n;
}

Outcome<Nothing> arguments(const Invocation& call, const QStringList& names) {
    if (call.args.size() == names.size()) return Nothing{};
    const QString wanted = names.isEmpty() ? QStringLiteral("no arguments") : names.join(' ');
    return bad("expected " + wanted + (call.args.isEmpty() ? QString() : ", got: " + call.args.join(' ')));
}

Outcome<std::size_t> slot_argument(const QString& text) {
    TRY_LET(n, number("SLOT", text, {1, static_cast<std::int32_t>(calibration::unit_slots)}));
    return static_cast<std::size_t>(n - 1);
}

Outcome<protocol::Byte> address_argument(const QString& text) {
    TRY_LET(n, number("ADDRESS", text, {0, protocol::max_sensor_address}));
    return static_cast<protocol::Byte>(n);
}

Outcome<std::optional<std::uint32_t>> password_argument(const Invocation& call, const QString& option) {
    if (!call.options.isSet(option)) return std::optional<std::uint32_t>{};
    TRY_LET(n, number("--" + option, call.options.value(option), protocol::password_range));
    return std::optional<std::uint32_t>{static_cast<std::uint32_t>(n)};
}

Outcome<Nothing> writable(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir()) return bad(path + " is a directory");
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir()) return bad("no folder " + folder.filePath() + " for " + path);
    if (file.exists() && !file.isWritable()) return bad(path + " cannot be written");
    // A file is saved whole: written under a new name in its folder, then put in place. So
    // the folder must take a new file, whatever its permission bits say (a read-only mount,
    // a full disk, access rules).
    QTemporaryFile probe(QDir(folder.absoluteFilePath()).filePath(QStringLiteral(".trelvik-cli-XXXXXX")));
    if (!probe.open())
        return bad("the folder " + folder.filePath() + " does not take a new file (" + probe.errorString() + "); " +
                   path + " could not be saved");
    return Nothing{};
}

QCommandLineOption force_option() {
    return {QStringList{option::force}, "Replace the -o file when it exists; without it an existing file is kept and nothing is sent."};
}

Outcome<Nothing> output_file(const Invocation& call, const QString& path) {
    const QFileInfo file(path);
    // A link that points nowhere is a file of someone's too.
    if (!call.options.isSet(option::force) && !file.isDir() && (file.exists() || file.isSymLink()))
        return bad(path + " exists; give --force to replace it, or another file name");
    return writable(path);
}

}  // namespace cli
