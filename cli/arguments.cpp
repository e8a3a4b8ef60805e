#include "arguments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#include "calibration/table_csv.h"
#include "calibration/table_json.h"
#include "calibration/unit_backup.h"
#include "calibration/whole_file.h"
#include "option_names.h"
#include "protocol/commands.h"
#include "protocol/requests.h"
#include "taring/session_file.h"
#include "wording.h"

namespace cli {

Failed bad(const QString& message) { return {Status::bad_use, message.toStdString()}; }

Outcome<std::int32_t> number(const QString& name, const QString& text, protocol::Range range) {
    const auto n = protocol::typed_number(text.toStdString(), "", range);
    if (!n)
        return bad(qworded(QCoreApplication::translate("CliArguments", "%1 принимает целое число от %2 до %3, а не \"%4\""),
                           {cli::name(name), whole(range.min), whole(range.max), cli::name(text)}));
    return *n;
}

Outcome<Nothing> arguments(const Invocation& call, const QStringList& names) {
    if (call.args.size() == names.size()) return Nothing{};
    if (names.isEmpty())
        return bad(qworded(QCoreApplication::translate("CliArguments", "аргументы не нужны, а даны: %1"), {name(call.args.join(' '))}));
    if (call.args.isEmpty()) return bad(qworded(QCoreApplication::translate("CliArguments", "ожидается %1"), {name(names.join(' '))}));
    return bad(qworded(QCoreApplication::translate("CliArguments", "ожидается %1, а дано: %2"), {name(names.join(' ')), name(call.args.join(' '))}));
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
    if (file.isDir()) return bad(qworded(QCoreApplication::translate("CliArguments", "%1 — это папка"), {name(path)}));
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        return bad(qworded(QCoreApplication::translate("CliArguments", "нет папки %1 для %2"), {name(folder.filePath()), name(path)}));
    if (file.exists() && !file.isWritable()) return bad(qworded(QCoreApplication::translate("CliArguments", "%1 недоступен для записи"), {name(path)}));
    // A file is saved whole: written under a new name in its folder, then put in place. So
    // the folder must take a new file, whatever its permission bits say (a read-only mount,
    // a full disk, access rules).
    QTemporaryFile probe(QDir(folder.absoluteFilePath()).filePath(QStringLiteral(".trelvik-cli-XXXXXX")));
    if (!probe.open())
        return bad(qworded(QCoreApplication::translate("CliArguments", "в папке %1 не создать новый файл (%2); %3 не сохранить"),
                           {name(folder.filePath()), name(probe.errorString()), name(path)}));
    return Nothing{};
}

QCommandLineOption force_option() {
    return {QStringList{option::force},
            QCoreApplication::translate("CliArguments", "Заменить существующий файл -o; без этого параметра он сохраняется и ничего не отправляется.")};
}

Outcome<Nothing> output_file(const Invocation& call, const QString& path) {
    const QFileInfo file(path);
    // A link that points nowhere is a file of someone's too.
    if (!call.options.isSet(option::force) && !file.isDir() && (file.exists() || file.isSymLink()))
        return bad(qworded(QCoreApplication::translate("CliArguments", "%1 уже есть; чтобы заменить его, задайте --force или другое имя файла"),
                           {name(path)}));
    return writable(path);
}

Holds holds(const QString& path) {
    const auto bytes = calibration::read_whole_file(path);
    const auto* text = std::get_if<QByteArray>(&bytes);
    if (!text) return Holds::other;
    if (const auto format = calibration::json_format_name(*text)) {
        if (*format == calibration::table_format_name) return Holds::table;
        if (*format == calibration::backup_format_name) return Holds::backup;
        if (*format == taring::session_format_name) return Holds::session;
        return Holds::other;
    }
    return calibration::has_table_labels(std::string_view(text->constData(), static_cast<std::size_t>(text->size())))
               ? Holds::table
               : Holds::other;
}

QString typed(const QString& path) { return path.contains(' ') ? '"' + path + '"' : path; }

Failed not_a_session(const QString& path, const QString& refused) {
    switch (holds(path)) {
    case Holds::table:
        return bad(qworded(QCoreApplication::translate("CliArguments", "%1 содержит таблицу одной ячейки, а не сессию тарировки: "
                                                       "trelvik-cli table write SLOT %2 записывает её в ячейку SLOT (от 1 до 10)"),
                           {name(path), name(typed(path))}));
    case Holds::backup:
        return bad(qworded(QCoreApplication::translate("CliArguments", "%1 — резервная копия блока, а не сессия тарировки: "
                                                       "её записывает trelvik-cli restore %2"),
                           {name(path), name(typed(path))}));
    default: return bad(refused);
    }
}

namespace {

std::filesystem::path native_path(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

}  // namespace

bool same_file(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity names = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity names = Qt::CaseSensitive;
#endif
    const QFileInfo first(a), second(b);
    // Both there: the system says (links, "..", a hard link, a case-blind disk). Else the
    // paths, which a file not yet made has too.
    if (first.exists() && second.exists()) {
        std::error_code failed;
        const bool same = std::filesystem::equivalent(native_path(a), native_path(b), failed);
        if (!failed) return same;
        return first.canonicalFilePath().compare(second.canonicalFilePath(), names) == 0;
    }
    return QDir::cleanPath(first.absoluteFilePath()).compare(QDir::cleanPath(second.absoluteFilePath()), names) == 0;
}

std::optional<Failed> option_as_file(const QString& option, const QString& path) {
    if (!path.startsWith(QLatin1Char('-'))) return std::nullopt;
    return bad(qworded(QCoreApplication::translate("CliArguments", "%1 %2: это похоже на параметр, а не на имя файла; "
                                                                   "файл с таким именем задайте так: %1 ./%2"),
                       {name(option), name(path)}));
}

Outcome<std::optional<QString>> output_argument(const Invocation& call, const QString& input, bool dash_is_standard_output) {
    if (!call.options.isSet(option::output)) return std::optional<QString>{};
    const QStringList given = call.options.values(option::output);
    if (given.size() > 1)
        return bad(qworded(QCoreApplication::translate("CliArguments", "-o задан дважды (%1 и %2): команда пишет один файл"),
                           {name(given[0]), name(given[1])}));
    const QString& path = given.front();
    if (path.isEmpty()) return bad(QCoreApplication::translate("CliArguments", "-o: имя файла пусто"));
    if (path == QLatin1String("-")) {
        if (dash_is_standard_output) return std::optional<QString>{};
        return bad(QCoreApplication::translate("CliArguments", "-o -: эта команда пишет только в файл; задайте его имя"));
    }
    if (auto refused = option_as_file(QStringLiteral("-o"), path)) return *refused;
    if (!input.isEmpty() && same_file(path, input))
        return bad(qworded(QCoreApplication::translate("CliArguments", "-o %1 — это файл, который команда читает; задайте другое имя"),
                           {name(path)}));
    TRY(output_file(call, path));
    return std::optional<QString>{path};
}

}  // namespace cli
