// Which language a program speaks, and figures worded for it.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "language/language.h"

using language::Language;
using language::Program;

TEST(Language, ChosenByOptionThenVariableThenSystem) {
    const auto ru = Language::russian, en = Language::english;
    struct Case {
        Program program;
        std::optional<QString> option;
        QString variable;
        QStringList system;
        Language expected;
        QString refused;
    };
    const Case cases[] = {
        {Program::console, QStringLiteral("en"), QStringLiteral("ru"), {QStringLiteral("ru-RU")}, en, {}},
        {Program::cli, QStringLiteral("RU"), QStringLiteral("en"), {QStringLiteral("en-US")}, ru, {}},
        {Program::console, std::nullopt, QStringLiteral("en_GB.UTF-8"), {QStringLiteral("ru-RU")}, en, {}},
        {Program::cli, std::nullopt, QStringLiteral("ru"), {QStringLiteral("de-DE")}, ru, {}},
        // A value that names no language is said, and the next source decides.
        {Program::console, QStringLiteral("fr"), QStringLiteral("en"), {QStringLiteral("ru-RU")}, ru, QStringLiteral("fr")},
        {Program::cli, std::nullopt, QStringLiteral("klingon"), {QStringLiteral("ru-RU")}, ru, QStringLiteral("klingon")},
        // The system: Russian for Russian; the C locale keeps the console Russian.
        {Program::console, std::nullopt, {}, {QStringLiteral("ru-RU"), QStringLiteral("en-US")}, ru, {}},
        {Program::console, std::nullopt, {}, {QStringLiteral("C")}, ru, {}},
        {Program::console, std::nullopt, {}, {}, ru, {}},
        {Program::console, std::nullopt, {}, {QStringLiteral("de-DE"), QStringLiteral("ru-RU")}, en, {}},
        {Program::cli, std::nullopt, {}, {QStringLiteral("C")}, en, {}},
        {Program::cli, std::nullopt, {}, {QStringLiteral("ru")}, ru, {}},
        {Program::cli, std::nullopt, {}, {QStringLiteral("uk-UA")}, en, {}},
    };
    for (const Case& c : cases) {
        const auto choice = language::choose(c.program, c.option, c.variable, c.system);
        EXPECT_EQ(choice.language, c.expected) << c.option.value_or("-").toStdString() << " " << c.variable.toStdString();
        EXPECT_EQ(choice.refused, c.refused);
    }
    EXPECT_EQ(language::option_value({QStringLiteral("--port"), QStringLiteral("x"), QStringLiteral("--lang"), QStringLiteral("en")}),
              QStringLiteral("en"));
    EXPECT_EQ(language::option_value({QStringLiteral("--lang=ru")}), QStringLiteral("ru"));
    EXPECT_EQ(language::option_value({QStringLiteral("--lang"), QStringLiteral("ru"), QStringLiteral("--lang=en")}),
              QStringLiteral("en"))
        << "the last one given";
    EXPECT_EQ(language::option_value({QStringLiteral("--"), QStringLiteral("--lang=ru")}), std::nullopt);
}

TEST(Language, FiguresAndDatesAsTheLanguageWritesThem) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    const QDateTime when(QDate(2026, 12, 8), QTime(10, 30));
    language::install(app, Language::russian);
    EXPECT_EQ(language::figure(1234.5, 2), QStringLiteral("1234,5"));
    EXPECT_EQ(language::figure(-0.0001, 2), QStringLiteral("0"));
    EXPECT_EQ(language::date_time(when), QStringLiteral("08.12.2026 10:30"));
    language::install(app, Language::english);
    EXPECT_EQ(language::current(), Language::english);
    EXPECT_EQ(language::figure(1234.5, 2), QStringLiteral("1234.5"));
    EXPECT_EQ(language::figure(12, 3), QStringLiteral("12"));
    EXPECT_EQ(language::date_time(when), QStringLiteral("2026-12-08 10:30"));
    // Arguments in one pass: one that holds "%2" stays as it is; a figure gets the language's mark.
    const protocol::Text text{"test", "%1 и %2 (%3)", {std::string("a%2"), 7LL, protocol::Figure{70.5, 2}}};
    EXPECT_EQ(language::worded(text), QStringLiteral("a%2 и 7 (70.5)"));
    language::install(app, Language::russian);
    EXPECT_EQ(language::worded(text), QStringLiteral("a%2 и 7 (70,5)"));
}
