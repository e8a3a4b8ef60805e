#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "calibration/table_compare.h"
#include "calibration/table_csv.h"
#include "calibration/table_file.h"
#include "calibration/table_json.h"
#include "calibration/unit_backup.h"
#include "language/language.h"

using namespace calibration;

namespace {

CalibrationTable sample() {
    CalibrationTable table;
    table.net = 13;
    table.status = 0;  // switched off
    for (std::size_t k = 0; k < table_points; ++k) {
        table.values[k] = static_cast<std::uint16_t>(800 * k + 7);
        table.litres[k] = static_cast<std::uint16_t>(1600 * k + 3);
    }
    table.values[39] = 65535;  // a unit holds sensor values above 32767
    table.litres[39] = 65535;
    return table;
}

// The sample's CSV lines as a spreadsheet might write them, without line ends.
std::vector<std::string> sample_lines(char separator) {
    const std::string s(1, separator);
    std::vector<std::string> lines{"Сет. номер" + s + "13", "Отключен" + s + "да", "Строка" + s + "Значения датчика" + s + "Литры"};
    const CalibrationTable t = sample();
    for (std::size_t k = 0; k < table_points; ++k)
        lines.push_back(std::to_string(k + 1) + s + std::to_string(t.values[k]) + s + std::to_string(t.litres[k]));
    return lines;
}

std::string joined(const std::vector<std::string>& lines, const std::string& end = "\n") {
    std::string text;
    for (const auto& line : lines) text += line + end;
    return text;
}

std::string to_cp1251(std::string utf8) {
    // Only the labels' letters occur: А..я are U+0410..U+044F, D0 90..D1 8F in UTF-8.
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b == 0xD0 || b == 0xD1) {
            const unsigned cp = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
            out += static_cast<char>(cp - 0x410 + 0xC0);
        } else {
            out += utf8[i];
        }
    }
    return out;
}

std::string words(const protocol::Text& text) { return language::worded(text).toStdString(); }

CalibrationTable csv(const std::string& text) {
    const auto read = read_table_csv(text);
    if (const auto* problem = std::get_if<FileProblem>(&read)) ADD_FAILURE() << words(problem->where) << ": " << words(problem->what);
    return std::get_if<CalibrationTable>(&read) ? std::get<CalibrationTable>(read) : CalibrationTable{};
}

void expect_refused(const std::variant<CalibrationTable, FileProblem>& read, const char* where, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(std::holds_alternative<FileProblem>(read));
    EXPECT_EQ(words(std::get<FileProblem>(read).where), where);
    EXPECT_EQ(words(std::get<FileProblem>(read).what), what);
}

// Speaks English till it goes, however the test ends: the others expect Russian.
struct InEnglish {
    int argc = 0;
    QCoreApplication app{argc, nullptr};
    InEnglish() { language::install(app, language::Language::english); }
    ~InEnglish() { language::install(app, language::Language::russian); }
};

}  // namespace

TEST(TableCsv, IsWrittenForSpreadsheetsAndReadBack) {
    const std::string text = write_table_csv(sample(), CsvLabels::russian);
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBFСет. номер;13\r\nОтключен;да\r\nСтрока;Значения датчика;Литры\r\n1;7;3\r\n2;807;1603\r\n"));
    EXPECT_TRUE(text.ends_with("\r\n40;65535;65535\r\n"));
    EXPECT_EQ(csv(text), sample());
    CalibrationTable in_service = sample();
    in_service.status = 0x01;
    EXPECT_NE(write_table_csv(in_service, CsvLabels::russian).find("Отключен;нет\r\n"), std::string::npos);
    EXPECT_EQ(csv(write_table_csv(in_service, CsvLabels::russian)), in_service);
}

TEST(TableCsv, ReadsTheLabelsOfEitherLanguageAndAMixOfThem) {
    const std::string english = write_table_csv(sample(), CsvLabels::english);
    EXPECT_TRUE(english.starts_with("\xEF\xBB\xBFNetwork number;13\r\nSwitched off;yes\r\nRow;Sensor value;Litres\r\n1;7;3\r\n"));
    const auto relabelled = [](const std::string& net, const std::string& off, const std::string& header) {
        auto lines = sample_lines(';');
        lines[0] = net + ";13";
        lines[1] = off;
        lines[2] = header;
        return joined(lines);
    };
    const struct {
        const char* name;
        std::string text;
    } files[] = {
        {"written in Russian", write_table_csv(sample(), CsvLabels::russian)},
        {"written in English", english},
        {"English labels, Russian answer and header",
         relabelled("Network number", "Switched off;да", "Строка;Значения датчика;Литры")},
        {"Russian labels, English answer and header", relabelled("Сет. номер", "Отключен;yes", "Row;Sensor value;Litres")},
        {"English in other cases", relabelled("NETWORK NUMBER", "switched off;Yes", "row;sensor value;litres")},
    };
    for (const auto& [name, text] : files) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(has_table_labels(text));
        EXPECT_EQ(csv(text), sample());
    }
    CalibrationTable in_service = sample();
    in_service.status = 0x01;
    EXPECT_NE(write_table_csv(in_service, CsvLabels::english).find("Switched off;no\r\n"), std::string::npos);
    EXPECT_EQ(csv(write_table_csv(in_service, CsvLabels::english)), in_service);
    EXPECT_EQ(csv(relabelled("Сет. номер", "Отключен;NO", "")), in_service);
}

TEST(TableCsv, ReadsWhatPeopleMakeOfIt) {
    std::vector<std::string> reordered = sample_lines(';');
    std::reverse(reordered.begin() + 3, reordered.end());
    for (auto& line : reordered) line += ";;";
    reordered.insert(reordered.begin() + 10, "");
    reordered.insert(reordered.begin() + 20, ";;;");

    std::vector<std::string> quoted = sample_lines(',');
    quoted[0] = "\"Сет. номер\",\"13\"";
    quoted.insert(quoted.begin(), "sep=,");

    std::vector<std::string> spelled = sample_lines(';');
    spelled[1] = "  Отключен ; 1 ";
    const struct {
        const char* name;
        std::string text;
    } files[] = {
        {"commas, LF", joined(sample_lines(','))},
        {"byte-order mark, CRLF", "\xEF\xBB\xBF" + joined(sample_lines(';'), "\r\n")},
        {"rows backwards, blank lines, trailing separators", joined(reordered)},
        {"quoted cells and a declared separator", joined(quoted)},
        {"blanks and 1 for the off switch", joined(spelled)},
        {"the Cyrillic code page", to_cp1251(joined(sample_lines(';'), "\r\n"))},
    };
    for (const auto& [name, text] : files) {
        SCOPED_TRACE(name);
        EXPECT_EQ(csv(text), sample());
    }

    // Fractions round half to even; "," is a decimal mark only where it cannot separate.
    std::vector<std::string> fractions = sample_lines(';');
    fractions[3] = "1;6,5;2.5";
    fractions[4] = "2;807,5;1602,7";
    const CalibrationTable rounded = csv(joined(fractions));
    EXPECT_EQ(rounded.values[0], 6);
    EXPECT_EQ(rounded.litres[0], 2);
    EXPECT_EQ(rounded.values[1], 808);
    EXPECT_EQ(rounded.litres[1], 1603);
}

TEST(TableCsv, RefusesAFileThatCannotBeUsedSaysWhereAndHowToMendIt) {
    const auto with = [](std::size_t index, const std::string& line, char separator = ';') {
        auto lines = sample_lines(separator);
        if (line.empty())
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
        else
            lines[index] = line;
        return joined(lines);
    };
    // The rows first, each on the line of its own number, the labels after them.
    auto rows_first = sample_lines(';');
    std::rotate(rows_first.begin(), rows_first.begin() + 3, rows_first.end());
    rows_first[2] = "3;-1;5";

    const std::string row_14 = "строка файла 17 (строка таблицы 14)";
    const std::string labels = ": ожидается номер строки таблицы, «Сет. номер», «Отключен» или «Строка» (в английском "
                               "файле «Network number», «Switched off» или «Row»)";
    const std::string header = ": ожидается «Строка;Значения датчика;Литры» (в английском файле «Row;Sensor value;Litres»)";
    const char* comma = "В файле с «,» между ячейками десятичная запятая не читается: разделите ячейки знаком «;» или запишите ";
    const struct {
        std::string text;
        std::string where;
        std::string what;
        std::string remedy;
    } refused[] = {
        {with(16, "14;100;70000"), row_14, "литры 70000 вне диапазона 0....65535", ""},
        {with(16, "14;-1;5"), row_14, "значение датчика -1 вне диапазона 0....65535", ""},
        {joined(rows_first), "строка 3", "значение датчика -1 вне диапазона 0....65535", ""},
        {with(0, "Сет. номер;256"), "строка 1", "сет. номер 256 вне диапазона 0....255", ""},
        {with(16, "14;сто;5"), row_14, "значение датчика «сто» не число", ""},
        {with(16, "14;;5"), row_14, "значение датчика: пусто", ""},
        {with(16, "14;100"), row_14, "литры: пусто", ""},
        {with(16, "14;100;5;6"), row_14, "лишнее поле «6»", ""},
        {with(16, "41;100;5"), "строка 17", "номер строки 41 вне диапазона 1....40", ""},
        {with(16, "13;100;5"), "строка файла 17 (строка таблицы 13)", "номер 13 второй раз (первый раз в строке файла 16)", ""},
        {with(16, ""), "", "в столбце «Строка» нет номера 14", ""},
        {with(16, "Объём;100;5"), "строка 17", "неизвестная строка «Объём»" + labels, ""},
        {with(16, "Объём заполненной части бака;100;5"), "строка 17", "неизвестная строка «Объём заполненной части …»" + labels, ""},
        {with(1, "Отключен;может быть"), "строка 2", "отключен «может быть»: ожидается да, нет, 1 или 0 (в английском файле yes или no)", ""},
        {with(2, "Отключен;нет"), "строка 3", "«Отключен» второй раз (первый раз в строке 2)", ""},
        {with(0, ""), "", "нет строки «Сет. номер»", ""},
        {with(16, "14;\"100;5"), "строка 17", "не закрыта кавычка", ""},
        // Columns moved in a spreadsheet, or labelled otherwise: not read by place.
        {with(2, "Row;Litres;Sensor value"), "строка 3", "подписи столбцов «Row;Litres;Sensor value»" + header,
         "Столбцы значений датчика и литров переставлены: верните их на места."},
        {with(2, "Строка;Объём;Уровень"), "строка 3", "подписи столбцов «Строка;Объём;Уровень»" + header, ""},
        {"", "", "файл пуст", ""},
        {"\xEF\xBB\xBF\r\n\r\n", "", "файл пуст", ""},
        // A decimal comma in a "," file: quoted by a spreadsheet, or split by an editor.
        {with(16, "14,100,\"70,5\"", ','), row_14, "литры «70,5» не число", comma + std::string("70.5")},
        {with(16, "14,100,70,5", ','), row_14, "лишнее поле «5»", "«70,5» — одно число? " + (comma + std::string("70.5"))},
        {with(0, "Сет. номер,13,5", ','), "строка 1", "лишнее поле «5»", "«13,5» — одно число? " + (comma + std::string("13.5"))},
        {with(16, "14,100,70,литров", ','), row_14, "лишнее поле «литров»", ""},
        // Blanks between groups of digits, as spreadsheets format numbers.
        {with(16, "14;1 000;5"), row_14, "значение датчика «1 000» не число", "Запишите число без пробелов: 1000"},
        {with(16, "14;100;1\u00A0000,5"), row_14, "литры «1\u00A0000,5» не число", "Запишите число без пробелов: 1000,5"},
        {with(16, "14,100,\"1\u202F000,5\"", ','), row_14, "литры «1\u202F000,5» не число", comma + std::string("1000.5")},
        {with(16, "14;1 00;5"), row_14, "значение датчика «1 00» не число", ""},
    };
    for (const auto& [text, where, what, remedy] : refused) {
        SCOPED_TRACE(what);
        const auto read = read_table_csv(text);
        ASSERT_TRUE(std::holds_alternative<FileProblem>(read));
        EXPECT_EQ(words(std::get<FileProblem>(read).where), where);
        EXPECT_EQ(words(std::get<FileProblem>(read).what), what);
        EXPECT_EQ(words(std::get<FileProblem>(read).remedy), remedy);
    }
}

TEST(TableJson, RoundTripsAndRefusesWhatIsNotATable) {
    const QByteArray written = write_table_json(sample());
    const auto read = read_table_json(written);
    ASSERT_TRUE(std::holds_alternative<CalibrationTable>(read));
    EXPECT_EQ(std::get<CalibrationTable>(read), sample());

    const auto edited = [&written](const QByteArray& from, const QByteArray& to) {
        QByteArray text = written;
        EXPECT_TRUE(text.contains(from)) << from.toStdString();
        return text.replace(from, to);
    };
    const struct {
        QByteArray text;
        const char* where;
        const char* what;
    } refused[] = {
        {"[1, 2]", "", "ожидается объект JSON"},
        {edited("\"trelvik-calibration-table\"", "\"other\""), "поле «format»", "ожидается «trelvik-calibration-table»"},
        {edited("\"version\": 1", "\"version\": 2"), "поле «version»", "читается версия 1"},
        {edited("\"network_number\"", "\"net\""), "поле «network_number»", "нет такого поля"},
        {edited("\"switched_off\": true", "\"switched_off\": 0"), "поле «switched_off»", "ожидается true или false"},
        {edited("\"litres\": 65535", "\"litres\": 70000"), "поле «points[39].litres»",
         "литры 70000 вне диапазона 0....65535"},
        {edited("\"sensor_value\": 7\n", "\"sensor_value\": 7.5\n"), "поле «points[0].sensor_value»", "7.5 не целое число"},
        {edited("\"sensor_value\": 7\n", "\"sensor_value\": \"7\"\n"), "поле «points[0].sensor_value»", "ожидается число"},
    };
    for (const auto& [text, where, what] : refused) expect_refused(read_table_json(text), where, what);
    QJsonObject short_of_points = table_object(sample());
    short_of_points.insert("points", QJsonArray{});
    expect_refused(table_from_object(short_of_points, "slots[2]"), "поле «slots[2].points»",
                   "ожидается 40 точек, в файле 0");
    EXPECT_TRUE(words(std::get<FileProblem>(read_table_json("{\"format\": ")).what).starts_with("не JSON: "));
}

TEST(TableFile, KeepsTheTableByExtensionAndNamesTheFileWhenItCannot) {
    QTemporaryDir dir;
    for (const char* name : {"Sensor 3.csv", "Sensor 3.JSON", "Sensor 3"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        ASSERT_EQ(write_table_file(path, sample()), std::nullopt);
        const auto read = read_table_file(path);
        ASSERT_TRUE(std::holds_alternative<CalibrationTable>(read));
        EXPECT_EQ(std::get<CalibrationTable>(read), sample());
    }
    EXPECT_EQ(table_format("a.Json"), TableFormat::json);
    EXPECT_EQ(table_format("a.json.csv"), TableFormat::csv);
    // Saved under the other kind's name (a spreadsheet's "Save as" with a typed name): the
    // content decides.
    for (const auto& [name, other] : {std::pair{"csv-in.json", "x.csv"}, {"json-in.csv", "x.json"}}) {
        ASSERT_EQ(write_table_file(dir.filePath(other), sample()), std::nullopt);
        ASSERT_TRUE(QFile::rename(dir.filePath(other), dir.filePath(name)));
        const auto read = read_table_file(dir.filePath(name));
        ASSERT_TRUE(std::holds_alternative<CalibrationTable>(read)) << name;
        EXPECT_EQ(std::get<CalibrationTable>(read), sample());
    }

    QFile broken(dir.filePath("broken.csv"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("Сет. номер;13\nОтключен;нет\n");
    broken.close();
    EXPECT_EQ(std::get<QString>(read_table_file(broken.fileName())),
              QStringLiteral("broken.csv: в столбце «Строка» нет номеров 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, "
                             "14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, "
                             "36, 37, 38, 39, 40"));
    // The remedy follows what is wrong as a sentence of its own.
    QFile spreadsheet(dir.filePath("spreadsheet.csv"));
    ASSERT_TRUE(spreadsheet.open(QIODevice::WriteOnly));
    auto lines = sample_lines(',');
    lines[9] = "7,100,\"70,5\"";
    spreadsheet.write(QByteArray::fromStdString(joined(lines)));
    spreadsheet.close();
    EXPECT_EQ(std::get<QString>(read_table_file(spreadsheet.fileName())),
              QStringLiteral("spreadsheet.csv, строка файла 10 (строка таблицы 7): литры «70,5» не число. В файле с «,» "
                             "между ячейками десятичная запятая не читается: разделите ячейки знаком «;» или запишите 70.5"));

    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(max_table_file_size + 1, ' '));
    broken.close();
    EXPECT_EQ(std::get<QString>(read_table_file(broken.fileName())), QStringLiteral("broken.csv: файл слишком велик для таблицы"));
    EXPECT_TRUE(std::get<QString>(read_table_file(dir.filePath("absent.csv"))).startsWith("absent.csv: "));

    // A write that cannot be done leaves nothing behind.
    const QString nowhere = dir.filePath("no such folder/Sensor 1.csv");
    const auto failed = write_table_file(nowhere, sample());
    ASSERT_TRUE(failed);
    EXPECT_TRUE(failed->startsWith("Sensor 1.csv: "));
    EXPECT_FALSE(QFile::exists(nowhere));
}

#ifndef _WIN32
// A disk that fills while a small file is written: the old file stays whole.
TEST(TableFile, AWriteTheDiskCannotHoldKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Sensor 1.csv");
    ASSERT_EQ(write_table_file(path, sample()), std::nullopt);
    const auto contents = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = contents();
    CalibrationTable other = sample();
    other.net = 14;

    // Files may grow to 100 bytes only; growing past that fails instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto failed = write_table_file(path, other);
    setrlimit(RLIMIT_FSIZE, &old);

    ASSERT_TRUE(failed);
    EXPECT_TRUE(failed->startsWith("Sensor 1.csv: ")) << failed->toStdString();
    EXPECT_EQ(contents(), before);
}
#endif

TEST(TableFile, WritesAndRefusesInTheProgramsLanguage) {
    const InEnglish english;
    QTemporaryDir dir;
    const QString path = dir.filePath("Sensor 3.csv");
    ASSERT_EQ(write_table_file(path, sample()), std::nullopt);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("\xEF\xBB\xBFNetwork number;13\r\nSwitched off;yes\r\n"));

    const auto put = [&dir](const char* name, const std::string& text) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(text));
        return file.fileName();
    };
    auto lines = sample_lines(',');
    lines[19] = "17,0,\"70,5\"";
    const struct {
        const char* name;
        std::string text;
        QString message;
    } refused[] = {
        // A line it does not know: the labels it takes, in both languages.
        {"bad.csv", "x;1\n",
         R"(bad.csv, line 1: unknown line "x": expected a table row number, "Network number", "Switched off" or "Row" )"
         R"(("Сет. номер", "Отключен" or "Строка" in a Russian file))"},
        {"short.csv", "Отключен;нет\n", R"(short.csv: no "Network number" line)"},
        {"comma.csv", joined(lines),
         R"(comma.csv, file line 20 (table row 17): litres "70,5" is not a number. A file with "," between the cells )"
         R"(cannot hold a decimal comma: separate the cells with ";" or write 70.5)"},
    };
    for (const auto& [name, text, message] : refused)
        EXPECT_EQ(std::get<QString>(read_table_file(put(name, text))), message);
}

TEST(UnitBackup, RoundTripsAndRefusesAWrongSlotByItsPath) {
    UnitBackup unit;
    unit.passive = true;
    unit.tables[9] = sample();
    unit.saved_at = "2024-05-17T09:30:12Z";
    unit.saved_by = "trelvik-cli 5.2";
    const auto read = read_backup_json(write_backup_json(unit));
    ASSERT_TRUE(std::holds_alternative<UnitBackup>(read));
    EXPECT_EQ(std::get<UnitBackup>(read), unit);

    // A backup made before the time and the program were kept reads as it always did.
    QJsonObject old = QJsonDocument::fromJson(write_backup_json(unit)).object();
    ASSERT_EQ(old.take("saved_at").toString(), "2024-05-17T09:30:12Z");
    ASSERT_EQ(old.take("saved_by").toString(), "trelvik-cli 5.2");
    const auto old_read = read_backup_json(QJsonDocument(old).toJson());
    ASSERT_TRUE(std::holds_alternative<UnitBackup>(old_read));
    UnitBackup unknown_origin = unit;
    unknown_origin.saved_at.clear();
    unknown_origin.saved_by.clear();
    EXPECT_EQ(std::get<UnitBackup>(old_read), unknown_origin);

    // One fault at a time in an otherwise good backup; the message says where it is.
    auto document = [&](auto change) -> QByteArray {
        QJsonObject object = QJsonDocument::fromJson(write_backup_json(unit)).object();
        change(object);
        return QJsonDocument(object).toJson();
    };
    const std::pair<QByteArray, std::string> cases[] = {
        {document([](QJsonObject& o) { o.remove("display_mode"); }), "поле «display_mode»"},
        {document([](QJsonObject& o) { o["display_mode"] = QJsonObject{{"passive", 1}, {"virs", false}}; }),
         "поле «display_mode.passive»"},
        {document([](QJsonObject& o) { QJsonArray tables = o["slots"].toArray();
                       tables.removeLast();
                       o["slots"] = tables; }), "поле «slots»"},
        {document([](QJsonObject& o) {
             QJsonArray tables = o["slots"].toArray();
             QJsonObject third = tables[2].toObject();
             QJsonArray points = third["points"].toArray();
             points[16] = QJsonObject{{"sensor_value", 1}, {"litres", 70000}};
             third["points"] = points;
             tables[2] = third;
             o["slots"] = tables;
         }),
         "поле «slots[2].points[16].litres»"},
        {write_table_json(sample()), "поле «format»"},
        {document([](QJsonObject& o) { o["saved_at"] = 20240517; }), "поле «saved_at»"},
    };
    for (const auto& [text, where] : cases) {
        const auto refused = read_backup_json(text);
        ASSERT_TRUE(std::holds_alternative<FileProblem>(refused)) << where;
        EXPECT_EQ(words(std::get<FileProblem>(refused).where), where);
    }
}

TEST(TableCompare, ListsEveryDifferenceAndOnlyTheInServiceBitOfTheStatus) {
    CalibrationTable written = sample();
    CalibrationTable read = written;
    read.status = 0xFE;  // still switched off: the other bits are the unit's own
    EXPECT_TRUE(table_differences(written, read).empty());
    read.net = 14;
    read.status = 0x01;
    read.litres[39] = 1;
    const std::vector<TableDifference> expected{
        {0, "network_number", 13, 14}, {0, "switched_off", 1, 0}, {40, "litres", 65535, 1}};
    EXPECT_EQ(table_differences(written, read), expected);
    EXPECT_EQ(words(difference_text(expected[2])), "строка 40, литры: записано 65535, прочитано 1");
    EXPECT_EQ(words(difference_text(expected[0])), "сетевой номер: записано 13, прочитано 14");
}
