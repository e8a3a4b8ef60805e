#include "cli.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <optional>
#include <ostream>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "misses.h"
#include "option_names.h"
#include "protocol/requests.h"
#include "taring_commands.h"
#include "wording.h"
#include "trace.h"

namespace cli {

namespace {

QCommandLineOption flag(const QString& name, const QString& description) { return {QStringList{name}, description}; }

QCommandLineOption valued(const QStringList& names, const QString& description, const QString& value) {
    return {names, description, value};
}

// The options every command takes are made before the language is chosen: their
// descriptions are worded when a parser takes them.
QCommandLineOption translated(QCommandLineOption option) {
    option.setDescription(QCoreApplication::translate("Cli", option.description().toUtf8().constData()));
    return option;
}

const QCommandLineOption port_option = valued({option::port}, QT_TRANSLATE_NOOP("Cli", "Последовательный порт: \"COM3:\" или путь к устройству, например /dev/ttyUSB0. По умолчанию — переменная окружения TRELVIK_PORT."), "PORT");
const QCommandLineOption retries_option = valued({option::retries}, QT_TRANSLATE_NOOP("Cli", "Сколько раз переспрашивать при отсутствии или порче ответа (от 0 до 100, по умолчанию 2)."), "N");
const QCommandLineOption help_option(QStringList{"h", "help"}, QT_TRANSLATE_NOOP("Cli", "Эта справка."));
const QCommandLineOption password_option = valued({option::password}, QT_TRANSLATE_NOOP("Cli", "Сначала предъявить блоку индикации пароль N."), "N");
// Read by main before anything is worded (language::install); here only accepted.
const QCommandLineOption lang_option = valued({QStringLiteral("lang")}, QT_TRANSLATE_NOOP("Cli", "Язык сообщений: ru или en. По умолчанию — переменная окружения TRELVIK_LANG, иначе язык системы."), "ru|en");

struct Command {
    QStringList words;   // "table", "read"
    QString synopsis;    // what follows the words
    QString brief;       // the command's line in the list of commands
    QString summary;
    std::vector<QCommandLineOption> options;
    CommandFunction run;
};

std::vector<Command> worded_commands() {
    return {
        {{"ports"}, "",
         QCoreApplication::translate("Cli", "последовательные порты системы, по одному в строке: имя и описание"),
         QCoreApplication::translate("Cli", "Последовательные порты системы, по одному в строке: имя для --port, табуляция, описание."), {}, ports},
        {{"search"}, "",
         QCoreApplication::translate("Cli", "адреса, ответившие на поиск, по одному в строке"),
         QCoreApplication::translate("Cli", "Ищет датчики на линии и выводит ответившие адреса, по одному в строке."), {}, search},
        {{"identity"}, "ADDRESS",
         QCoreApplication::translate("Cli", "заводской номер и версия ПО датчика"),
         QCoreApplication::translate("Cli", "Заводской номер и версия программного обеспечения датчика с адресом ADDRESS (от 0 до 200)."), {}, identity},
        {{"poll"}, "ADDRESS [--count N] [--interval MS] [--max-misses N]",
         QCoreApplication::translate("Cli", "полные опросы в CSV: time,address,temperature,level,current,lower,upper,k,mode"),
         QCoreApplication::translate("Cli",
             "Полные опросы датчика с адресом ADDRESS в CSV: строка заголовка, затем по строке на каждый ответ:\n"
             "time,address,temperature,level,current,lower,upper,k,mode. Работает до Ctrl+C, если не задан --count.\n"
             "Опрос без исправного ответа (после повторов) строки не даёт; его время выводится в поток ошибок."),
         {valued({option::count}, QCoreApplication::translate("Cli", "Остановиться после N ответов."), "N"),
          valued({option::interval}, QCoreApplication::translate("Cli", "Миллисекунды от одного опроса до следующего (по умолчанию 500)."), "MS"),
          max_misses_option()},
         poll},
        {{"table", "read"}, "SLOT [-o FILE [--force]]",
         QCoreApplication::translate("Cli", "одна ячейка (от 1 до 10) в FILE (.csv или .json) или в CSV на стандартный вывод"),
         QCoreApplication::translate("Cli", "Читает таблицу ячейки SLOT (от 1 до 10, от \"Sensor 1\" до \"Sensor 10\") в FILE (.csv или .json) или в CSV на стандартный вывод."),
         {valued({"o", option::output}, QCoreApplication::translate("Cli", "Записать таблицу в FILE."), "FILE"), force_option()}, table_read},
        {{"table", "write"}, "SLOT FILE [--password N]",
         QCoreApplication::translate("Cli", "одна ячейка из FILE, затем обратное чтение и сверка"),
         QCoreApplication::translate("Cli", "Записывает таблицу из FILE (.csv или .json) в ячейку SLOT, читает её обратно и сверяет."),
         {translated(password_option)}, table_write},
        {{"table", "from-session"}, "SESSION [-o FILE [--force]]",
         QCoreApplication::translate("Cli", "таблица по сессии тарировки, в FILE или в CSV"),
         QCoreApplication::translate("Cli", "Строит таблицу ячейки по файлу сессии тарировки (см. tare) и сообщает её наибольшее отклонение."),
         from_session_options(), table_from_session},
        {{"tare"}, "ADDRESS --session FILE [--start-litres L] [--settle S] [--tolerance T] [--slot N] [--password P] [-o TABLE [--force]] [--max-misses N]",
         QCoreApplication::translate("Cli", "тарировка бака по заливам: точки в CSV, затем таблица"),
         QCoreApplication::translate("Cli",
             "Тарирует бак датчика с адресом ADDRESS. Со стандартного ввода после каждого залива берутся залитые литры\n"
             "(дробная часть через \".\" или \",\"), undo и done; каждая точка снимается, когда уровень успокоится,\n"
             "сохраняется в файл сессии и выводится в CSV: point,litres,level,spread. done (или конец ввода) строит таблицу."),
         tare_options(), tare},
        {{"backup"}, "-o FILE [--force] [--password N]",
         QCoreApplication::translate("Cli", "все десять ячеек и режим индикации в один файл JSON"),
         QCoreApplication::translate("Cli",
             "Сохраняет режим индикации и таблицы всех десяти ячеек в один файл JSON вместе со временем (UTC) и\n"
             "версией программы. Существующий FILE сохраняется, если не задан --force."),
         {valued({"o", option::output}, QCoreApplication::translate("Cli", "Файл резервной копии."), "FILE"), force_option(),
          translated(password_option)},
         backup},
        {{"restore"}, "FILE [--slot N ...] [--password N]",
         QCoreApplication::translate("Cli", "запись ячеек из резервной копии, каждая с обратным чтением и сверкой"),
         QCoreApplication::translate("Cli",
             "Записывает ячейки резервной копии (все или указанные), каждую читает обратно и сверяет; останавливается\n"
             "на первой ошибке. Когда восстанавливаются все десять ячеек, устанавливается и режим индикации."),
         {valued({option::slot}, QCoreApplication::translate("Cli", "Восстановить только ячейку N (от 1 до 10); можно повторять."), "N"),
          translated(password_option)},
         restore},
        {{"password", "enter"}, "N",
         QCoreApplication::translate("Cli", "предъявить пароль блоку индикации"),
         QCoreApplication::translate("Cli", "Предъявляет блоку индикации пароль N."), {}, password_enter},
        {{"password", "set"}, "NEW --current OLD",
         QCoreApplication::translate("Cli", "сменить пароль блока индикации"),
         QCoreApplication::translate("Cli", "Предъявляет пароль OLD, затем устанавливает пароль NEW."),
         {valued({option::current}, QCoreApplication::translate("Cli", "Действующий пароль."), "OLD")}, password_set},
        {{"display-mode"}, "--passive|--active [--virs]",
         QCoreApplication::translate("Cli", "установить режим блока индикации"),
         QCoreApplication::translate("Cli", "Устанавливает режим блока индикации."),
         {flag(option::passive, QCoreApplication::translate("Cli", "Пассивный режим.")),
          flag(option::active, QCoreApplication::translate("Cli", "Активный режим.")),
          flag(option::virs, QCoreApplication::translate("Cli", "Включить режим VIRS (без этого параметра он выключен)."))},
         display_mode},
        {{"sensor"}, "ADDRESS set-low | set-high | set-net NEW | set-serial SN | set-mode --output rs485|analog|frequency [--invert] [--smooth]",
         QCoreApplication::translate("Cli", "команды датчику"),
         QCoreApplication::translate("Cli",
             "Команды датчику с адресом ADDRESS (от 0 до 200):\n"
             "  set-low                запомнить нижний уровень\n"
             "  set-high               запомнить верхний уровень\n"
             "  set-net NEW            задать сетевой номер NEW (от 0 до 200); если ответ потерян, датчик\n"
             "                         опрашивается по номеру NEW, прежде чем команда уйдёт снова\n"
             "  set-serial SN          задать заводской номер SN (от 0 до 2000000)\n"
             "  set-mode --output rs485|analog|frequency [--invert] [--smooth]\n"
             "                         задать режим выхода"),
         {valued({option::sensor_output}, QCoreApplication::translate("Cli", "set-mode: выход — rs485, analog или frequency."), "OUTPUT"),
          flag(option::invert, QCoreApplication::translate("Cli", "set-mode: инвертировать показания индикатора.")),
          flag(option::smooth, QCoreApplication::translate("Cli", "set-mode: сглаживать показания."))},
         sensor},
    };
}

// The commands worded in the language in force; worded again when it changes (tests switch).
const std::vector<Command>& commands() {
    static std::vector<Command> all;
    static std::optional<language::Language> worded_in;
    if (worded_in != language::current()) {
        all = worded_commands();
        worded_in = language::current();
    }
    return all;
}

QString usage_start() {
    return QCoreApplication::translate("Cli", "использование: trelvik-cli [--port PORT] [--retries N] [--lang ru|en] ");
}

// The list of commands whose first word is `group`, or of all commands.
QString command_list(const QString& group = {}) {
    QString text;
    for (const Command& c : commands()) {
        if (!group.isEmpty() && c.words.first() != group) continue;
        const QString call = c.words.join(' ') + (c.synopsis.isEmpty() ? "" : " " + c.synopsis);
        // A call too long for its column puts its description on the next line.
        text += "  " + call + (call.size() < 40 ? QString(40 - call.size(), ' ') : "\n" + QString(42, ' ')) + c.brief + "\n";
    }
    return text;
}

QString usage() {
    return usage_start() + QCoreApplication::translate("Cli",
               "COMMAND ...\n\n"
               "Блок индикации и датчики уровня топлива одной линии RS-485 из командной строки. Каждый запрос\n"
               "ждёт ответа, прежде чем уйдёт следующий; каждый ответ проверяется (стартовый байт, код ответа,\n"
               "CRC-8), а пропавший или испорченный запрашивается снова.\n\nКоманды:\n") +
           command_list() +
           QCoreApplication::translate("Cli",
               "\nПараметры:\n"
               "  --port PORT   последовательный порт: \"COM3:\" или путь к устройству, например /dev/ttyUSB0\n"
               "                (по умолчанию — переменная окружения TRELVIK_PORT)\n"
               "  --retries N   сколько раз переспрашивать при отсутствии или порче ответа (по умолчанию 2)\n") +
           trace_usage() +
           QCoreApplication::translate("Cli",
               "  --lang ru|en  язык сообщений (по умолчанию — переменная окружения TRELVIK_LANG, иначе язык\n"
               "                системы: русский для русской системы, английский для любой другой)\n"
               "  -h, --help    эта справка; COMMAND --help — справка по одной команде\n"
               "  --version     версия программы\n\n"
               "Код завершения: 0 — выполнено; 1 — отказ линии или устройства (нет ответа, отказ, неверный\n"
               "пароль); 2 — неверный вызов или негодный файл (ничего не отправлено); 3 — прочитанное обратно\n"
               "не совпало с записанным; 130 — Ctrl+C остановил изменение после кадра в линии (сделанное\n"
               "перечислено) или тарировку (её точки сохранены).\n");
}

QString command_help(const Command& c, const QCommandLineParser& parser) {
    // Qt's own text, in the language in force: its first paragraph is its usage line, the
    // rest lists the options.
    const QString full = parser.helpText();
    const auto options = full.indexOf(QLatin1String("\n\n"));
    return usage_start() + c.words.join(' ') +
           (c.synopsis.isEmpty() ? "" : " " + c.synopsis) + "\n\n" +
           c.summary + "\n\n" + (options >= 0 ? full.mid(options + 2) : QString());
}

const Command* find_command(const QStringList& positional) {
    for (const Command& c : commands())
        if (positional.mid(0, c.words.size()) == c.words) return &c;
    return nullptr;
}

// The second words of the commands that `group` starts ("read", "write" for "table").
QStringList group_commands(const QString& group) {
    QStringList words;
    for (const Command& c : commands())
        if (c.words.size() > 1 && c.words.first() == group) words << c.words[1];
    return words;
}

Failed bad_use(const QString& message) {
    return {Status::bad_use, worded(QCoreApplication::translate("Cli", "%1\n(команды перечисляет trelvik-cli --help)"), {name(message)})};
}

// An option the global parser does not know. When it is a command's option put before the
// command ("--force backup"), where it goes: after the command, with its value.
Failed unknown_option(const QString& unknown, const QStringList& arguments) {
    const QString option = (unknown.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + unknown;
    QStringList takers;
    QString value;  // what the option takes, for the example: "FILE"
    for (const Command& c : commands())
        for (const QCommandLineOption& o : c.options)
            if (o.names().contains(unknown)) {
                takers << c.words.join(' ');
                if (value.isEmpty()) value = o.valueName();
            }
    takers.removeDuplicates();
    if (takers.isEmpty()) return bad_use(qworded(QCoreApplication::translate("Cli", "неизвестный параметр %1"), {name(option)}));
    // The example names the command given, when it is one that takes the option.
    QString example = takers.first();
    for (qsizetype k = 0; k < arguments.size(); ++k)
        if (const Command* given = find_command(arguments.mid(k)); given && takers.contains(given->words.join(' '))) {
            example = given->words.join(' ');
            break;
        }
    return bad_use(qworded(QCoreApplication::translate("Cli", "%1 — параметр команды (%2): он идёт после неё, "
                                                              "например trelvik-cli %3 … %1"),
                           {name(value.isEmpty() ? option : option + u' ' + value), name(takers.join(QStringLiteral(", "))),
                            name(example)}));
}

}  // namespace

int run(const QStringList& arguments, const QString& default_port, Io& io) {
    // The global options stand before the command; what follows is the command's.
    QCommandLineParser global;
    global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption version_option = flag("version", QCoreApplication::translate("Cli", "Версия программы."));
    global.addOptions({translated(port_option), translated(retries_option), translated(help_option), version_option,
                       translated(lang_option), trace_option()});
    QStringList program{QStringLiteral("trelvik-cli")};
    auto fail = [&](const Failed& f) {
        io.err << "trelvik-cli: " << f.message << "\n";
        return static_cast<int>(f.status);
    };
    if (!global.parse(program + arguments)) {
        const QStringList unknown = global.unknownOptionNames();
        return fail(unknown.isEmpty() ? bad_use(global.errorText()) : unknown_option(unknown.first(), arguments));
    }
    if (global.isSet(version_option)) {
        io.out << "trelvik-cli " << TRELVIK_VERSION << "\n";
        return 0;
    }
    const QStringList positional = global.positionalArguments();
    if (global.isSet(help_option) || positional.isEmpty()) {
        (global.isSet(help_option) ? io.out : io.err) << usage().toStdString();
        return static_cast<int>(global.isSet(help_option) ? Status::done : Status::bad_use);
    }
    const Command* command = find_command(positional);
    if (!command) {
        // A group's word alone ("table", "password"): its commands, or which ones there are.
        const QStringList group = group_commands(positional.first());
        if (group.isEmpty()) {
            // A command further on: its arguments were put in front of it.
            for (qsizetype k = 1; k < positional.size(); ++k)
                if (const Command* later = find_command(positional.mid(k)))
                    return fail(bad_use(qworded(QCoreApplication::translate("Cli", "неизвестная команда «%1»: команда идёт первой, "
                                                                                   "за ней её аргументы: trelvik-cli %2 …"),
                                                {name(positional.first()), name(later->words.join(' '))})));
            return fail(bad_use(qworded(QCoreApplication::translate("Cli", "неизвестная команда «%1»"), {name(positional.first())})));
        }
        const QStringList rest = positional.mid(1);
        if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h"))) {
            io.out << (usage_start() + positional.first() + " " + group.join('|') + " ...\n\n" +
                       QCoreApplication::translate("Cli", "Команды:") + "\n" + command_list(positional.first()) + "\n" +
                       QCoreApplication::translate("Cli", "COMMAND --help — справка по одной из них.") + "\n")
                          .toStdString();
            return 0;
        }
        const QString choice =
            rest.isEmpty()
                ? QCoreApplication::translate("Cli", "%1 принимает одну из команд: %2")
                : QCoreApplication::translate("Cli", "%1 принимает одну из команд: %2, а не \"%3\"");
        return fail(bad_use(qworded(choice, {name(positional.first()), name(group.join(", ")),
                                             name(rest.isEmpty() ? QString() : rest.first())})));
    }

    QCommandLineParser parser;
    parser.addOptions({translated(port_option), translated(retries_option), translated(help_option), translated(lang_option)});
    // Only a command that uses the line has traffic to trace.
    const bool uses_line = command->run != ports && command->run != table_from_session;
    if (uses_line) parser.addOption(trace_option());
    else if (global.isSet(trace_option())) return fail(bad_use(no_line_to_trace(command->words.join(' '))));
    for (const QCommandLineOption& option : command->options) parser.addOption(option);
    if (!parser.parse(program + positional.mid(command->words.size())))
        return fail({Status::bad_use, worded(QCoreApplication::translate("Cli", "%1\n(подробнее: trelvik-cli %2 --help)"),
                                             {name(parser.errorText()), name(command->words.join(' '))})});
    if (parser.isSet(help_option)) {
        io.out << command_help(*command, parser).toStdString();
        return 0;
    }

    // The command's own --port and --retries, if given, win over the global ones.
    auto value = [&](const QCommandLineOption& option) {
        return parser.isSet(option) ? parser.value(option) : global.value(option);
    };
    int retries = 2;
    if (parser.isSet(retries_option) || global.isSet(retries_option)) {
        const auto n = protocol::typed_number(value(retries_option).toStdString(), "", {0, 100});
        if (!n)
            return fail(bad_use(qworded(QCoreApplication::translate("Cli", "--retries принимает число от 0 до 100, а не \"%1\""),
                                        {name(value(retries_option))})));
        retries = *n;
    }
    std::unique_ptr<TraceFile> trace;
    if (uses_line && (parser.isSet(trace_option()) || global.isSet(trace_option()))) {
        const QString path = value(trace_option());
        if (path != QLatin1String("-"))
            if (auto refused = option_as_file(QStringLiteral("--trace"), path))
                return fail(bad_use(QString::fromStdString(refused->message)));
        // The command's own files (a backup to restore, a session, -o) are not for the trace.
        QStringList files;
        const QStringList named = command->synopsis.split(' ');  // "SLOT FILE [--password N]"
        for (qsizetype k = 0; k < named.size() && k < parser.positionalArguments().size(); ++k)
            if (named[k] == QLatin1String("FILE") || named[k] == QLatin1String("SESSION"))
                files += parser.positionalArguments()[k];
        for (const QCommandLineOption& option : command->options)
            if (option.names().contains(QLatin1String(option::output)) || option.names().contains(QLatin1String(option::session)))
                files += parser.values(option);
        for (const QString& file : files)
            if (path != QLatin1String("-") && !file.isEmpty() && same_file(path, file))
                return fail(bad_use(qworded(QCoreApplication::translate("Cli", "--trace %1 — это файл самой команды; задайте трассировке другой файл"),
                                            {name(path)})));
        auto opened = TraceFile::open(path, io.err);
        if (auto* failed = std::get_if<Failed>(&opened)) return fail(*failed);
        trace = std::move(std::get<std::unique_ptr<TraceFile>>(opened));
        // A progress line overwritten in place would run into the trace's lines.
        if (path == QLatin1String("-")) io.progress = false;
    }
    const bool port_given = parser.isSet(port_option) || global.isSet(port_option);
    Session session(io, port_given ? value(port_option) : default_port, retries, trace.get());
    auto outcome = command->run(session, {parser, parser.positionalArguments()});
    // After a Ctrl+C the reader of a pipe may be gone too (on Windows it gets the stop as well).
    const bool stopped = io.interrupt && io.interrupt->caught;
    if (std::holds_alternative<Nothing>(outcome) && !stopped)
        if (auto lost = output_lost(io.out)) outcome = *lost;
    if (trace && trace->lost()) {
        io.err << "trelvik-cli: " << *trace->lost() << "\n";
        if (std::holds_alternative<Nothing>(outcome)) return static_cast<int>(Status::failed);
    }
    if (auto* failed = std::get_if<Failed>(&outcome)) {
        if (failed->status == Status::bad_use)
            failed->message = worded(QCoreApplication::translate("Cli", "%1\n(подробнее: trelvik-cli %2 --help)"),
                                     {failed->message, name(command->words.join(' '))});
        return fail(*failed);
    }
    return 0;
}

}  // namespace cli
