#pragma once
// The language the programs speak: Russian, the language their texts are written in, or
// English, from the translations built beside them. Chosen once at start, before any text
// is worded: `--lang ru|en`, else the environment variable TRELVIK_LANG, else the
// system's UI language.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

#include "protocol/byte_text.h"
#include "protocol/translatable.h"

class QCoreApplication;

namespace language {

enum class Language { russian, english };
// The console keeps Russian where no language is set (the C or POSIX locale), as it was
// drawn; the command-line tool speaks English to any system but a Russian one.
enum class Program { console, cli };

// "ru" or "en" (any case, "ru_RU" and "en-GB" too); nullopt for anything else.
std::optional<Language> parse(const QString& name);

// The value of `--lang X` or `--lang=X` among the arguments, as typed; nullopt without one.
std::optional<QString> option_value(const QStringList& arguments);

struct Choice {
    Language language = Language::russian;
    QString refused;  // a --lang or TRELVIK_LANG value that names no language, to be said
};

// The option, then the variable, then the system's UI languages (QLocale::uiLanguages(),
// first first; "C" when none is set).
Choice choose(Program program, const std::optional<QString>& option, const QString& variable,
              const QStringList& system_languages);

// The program's language from its arguments, TRELVIK_LANG and the system; installs the
// translations it needs (ours for English, Qt's own for Russian) and remembers it.
Choice install(QCoreApplication& app, Program program);

// Installs the translations for `language` and remembers it; for tests that switch.
void install(QCoreApplication& app, Language language);

// The language in force (Russian until one is installed).
Language current();
QString code(Language language);  // "ru", "en"

// The single-byte code page of a system in the language in force, in which the traffic
// box shows bytes from 0x80 up.
protocol::CodePage code_page();

// Figures and dates as the language writes them: comma decimals in Russian, a point in
// English, no thousands gaps in either; at most `decimals` decimals, trailing zeros
// dropped ("12,5", "1200").
QString figure(double value, int decimals);
// "08.12.2026 10:30" in Russian, "2026-12-08 10:30" in English.
QString date_time(const QDateTime& when);
QString date(const QDate& day);
// The first `at_most` of a list named, the rest counted: "1–2, 5–6 и ещё 3".
QString listed(QStringList named, qsizetype at_most);
// A text of the plain layers in the program's language: its words translated, then
// %1 … %9 replaced in one pass by its arguments (figures as `figure` words them), so an
// argument that holds "%2" stays as it is.
QString worded(const protocol::Text& text);
// In English whatever the program's language: for traces, which grep alike everywhere.
QString in_english(const protocol::Text& text);
// The same replacement for a text already translated.
QString with_args(const QString& words, const std::vector<protocol::Text::Arg>& args);

// The locale figures are written in: the program's language's, or a given language's.
const QLocale& figures_locale();
const QLocale& figures_locale(Language language);

}  // namespace language
