#include "language/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <array>
#include <memory>
#include <vector>

namespace language {

namespace {

Language in_force = Language::russian;

// Our translations, embedded in the programs; each program has the ones of the code it links.
constexpr std::array ours{"trelvik_files", "trelvik_line", "trelvik_console", "trelvik_cli"};

std::vector<std::unique_ptr<QTranslator>>& installed() {
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

// Qt's own texts: from Qt's translations folder, or from
// a "translations" folder beside the program where a portable copy carries them.
bool load_qt_texts(QTranslator& translator, const QString& name) {
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"));
    for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath), beside})
        if (translator.load(name, folder)) return true;
    return false;
}

}  // namespace

std::optional<Language> parse(const QString& name) {
    const QString lowered = name.trimmed().toLower();
    const QString stem = lowered.left(2);
    if (lowered.size() != 2 && !(lowered.size() > 2 && (lowered[2] == u'_' || lowered[2] == u'-'))) return std::nullopt;
    if (stem == QLatin1String("ru")) return Language::russian;
    if (stem == QLatin1String("en")) return Language::english;
    return std::nullopt;
}

// The last --lang given counts, as with any option given twice.
std::optional<QString> option_value(const QStringList& arguments) {
    std::optional<QString> value;
    for (qsizetype k = 0; k < arguments.size(); ++k) {
        const QString& a = arguments[k];
        if (a == QLatin1String("--")) break;
        if (a == QLatin1String("--lang")) value = ++k < arguments.size() ? arguments[k] : QString();
        else if (a.startsWith(QLatin1String("--lang="))) value = a.mid(7);
    }
    return value;
}

Choice choose(Program program, const std::optional<QString>& option, const QString& variable,
              const QStringList& system_languages) {
    Choice choice;
    if (option) {
        if (const auto chosen = parse(*option)) return {*chosen, {}};
        choice.refused = *option;
    } else if (!variable.isEmpty()) {
        if (const auto chosen = parse(variable)) return {*chosen, {}};
        choice.refused = variable;
    }
    const QString first = system_languages.isEmpty() ? QStringLiteral("C") : system_languages.front();
    const bool unset = first == QLatin1String("C") || first == QLatin1String("POSIX") || first.isEmpty();
    if (parse(first) == Language::russian || (unset && program == Program::console))
        choice.language = Language::russian;
    else
        choice.language = Language::english;
    return choice;
}

Choice install(QCoreApplication& app, Program program) {
    Choice choice = choose(program, option_value(QCoreApplication::arguments()), qEnvironmentVariable("TRELVIK_LANG"),
                           QLocale::system().uiLanguages());
    install(app, choice.language);
    return choice;
}

void install(QCoreApplication& app, Language language) {
    for (auto& translator : installed()) QCoreApplication::removeTranslator(translator.get());
    installed().clear();
    auto add = [&](std::unique_ptr<QTranslator> translator) {
        app.installTranslator(translator.get());
        installed().push_back(std::move(translator));
    };
    if (language == Language::english) {
        for (const char* name : ours) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(QStringLiteral(":/i18n/%1_en.qm").arg(QLatin1String(name)))) add(std::move(translator));
        }
    } else {
        // Qt's own: the standard buttons and file dialogs, and the serial port's own few
        // messages (most of a port's errors are the system's, in the system's language).
        for (const char* name : {"qtbase_ru", "qtserialport_ru"}) {
            auto translator = std::make_unique<QTranslator>();
            if (load_qt_texts(*translator, QLatin1String(name))) add(std::move(translator));
        }
    }
    in_force = language;
}

Language current() { return in_force; }

protocol::CodePage code_page() {
    return in_force == Language::english ? protocol::CodePage::windows1252 : protocol::CodePage::windows1251;
}

QString code(Language language) { return language == Language::english ? QStringLiteral("en") : QStringLiteral("ru"); }

const QLocale& figures_locale(Language language) {
    static const QLocale russian = [] {
        QLocale locale(QLocale::Russian, QLocale::Russia);
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale;
    }();
    static const QLocale english = [] {
        QLocale locale(QLocale::English, QLocale::UnitedKingdom);
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale;
    }();
    return language == Language::english ? english : russian;
}

const QLocale& figures_locale() { return figures_locale(in_force); }

namespace {

QString figure_in(const QLocale& locale, double value, int decimals) {
    QString text = locale.toString(value, 'f', decimals);
    const QString point = locale.decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(u'0')) text.chop(1);
        if (text.endsWith(point)) text.chop(point.size());
    }
    if (text == QStringLiteral("-0")) text = QStringLiteral("0");
    return text;
}

QString with_args_in(const QLocale& locale, const QString& words, const std::vector<protocol::Text::Arg>& args) {
    auto text_of = [&locale](const protocol::Text::Arg& arg) {
        if (const auto* s = std::get_if<std::string>(&arg)) return QString::fromStdString(*s);
        if (const auto* n = std::get_if<long long>(&arg)) return QString::number(*n);
        const auto& f = std::get<protocol::Figure>(arg);
        return figure_in(locale, f.value, f.decimals);
    };
    QString out;
    out.reserve(words.size());
    for (qsizetype k = 0; k < words.size(); ++k) {
        const QChar c = words[k];
        if (c == u'%' && k + 1 < words.size() && words[k + 1] >= u'1' && words[k + 1] <= u'9') {
            const auto index = static_cast<std::size_t>(words[k + 1].unicode() - u'1');
            if (index < args.size()) {
                out += text_of(args[index]);
                ++k;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}  // namespace

QString figure(double value, int decimals) { return figure_in(figures_locale(), value, decimals); }

QString with_args(const QString& words, const std::vector<protocol::Text::Arg>& args) {
    return with_args_in(figures_locale(), words, args);
}

QString listed(QStringList named, qsizetype at_most) {
    const qsizetype more = named.size() - at_most;
    if (more <= 0) return named.join(QStringLiteral(", "));
    named.resize(at_most);
    return QCoreApplication::translate("Language", "%1 и ещё %2").arg(named.join(QStringLiteral(", ")), QString::number(more));
}

QString worded(const protocol::Text& text) {
    return with_args(QCoreApplication::translate(text.context, text.source), text.args);
}

QString in_english(const protocol::Text& text) {
    static const auto english = [] {
        std::vector<std::unique_ptr<QTranslator>> translators;
        for (const char* name : ours) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(QStringLiteral(":/i18n/%1_en.qm").arg(QLatin1String(name))))
                translators.push_back(std::move(translator));
        }
        return translators;
    }();
    for (const auto& translator : english) {
        const QString words = translator->translate(text.context, text.source);
        if (!words.isEmpty()) return with_args_in(figures_locale(Language::english), words, text.args);
    }
    return with_args_in(figures_locale(Language::english), QString::fromUtf8(text.source), text.args);
}

QString date_time(const QDateTime& when) {
    return when.toString(in_force == Language::english ? QStringLiteral("yyyy-MM-dd HH:mm") : QStringLiteral("dd.MM.yyyy HH:mm"));
}

QString date(const QDate& day) {
    return day.toString(in_force == Language::english ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("dd.MM.yyyy"));
}

}  // namespace language
