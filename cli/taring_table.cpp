#include "taring_table.h"

#include <QCoreApplication>
#include <ostream>

#include "arguments.h"
#include "calibration/table_file.h"
#include "language/language.h"
#include "taring/session_file.h"
#include "taring/table_builder.h"
#include "option_names.h"
#include "taring_commands.h"
#include "wording.h"

namespace cli {

Outcome<calibration::CalibrationTable> session_table(const taring::TaringSession& session, std::ostream& report) {
    const auto built = taring::build_table(session.points);
    if (const auto* refused = std::get_if<taring::TableRefusal>(&built))
        return Failed{Status::bad_use, worded(QCoreApplication::translate("CliTaringTable", "таблицу не построить: %1"),
                                              {language::worded(refused->text).toStdString()})};
    const auto& table = std::get<taring::BuiltTable>(built);
    const bool at_point = table.worst_point && table.deviation > 0;
    // Every point a row: the table passes through them all, and what is said is only what
    // rounding to whole litres did.
    const bool every_point = table.points_used <= calibration::table_points;
    const bool exact = table.deviation < 0.005;
    const QString words =
        every_point && exact
            ? QCoreApplication::translate("CliTaringTable", "таблица: %1 строк, точек использовано: %2; проходит через все точки")
        : every_point && at_point
            ? QCoreApplication::translate("CliTaringTable", "таблица: %1 строк, точек использовано: %2; проходит через все точки, "
                                                            "литры в ней целые: отклонение до %3 л у точки %4")
        : every_point
            ? QCoreApplication::translate("CliTaringTable", "таблица: %1 строк, точек использовано: %2; проходит через все точки, "
                                                            "литры в ней целые: отклонение до %3 л в строке %5, заполненной между точками")
        : at_point && table.worst_row
            ? QCoreApplication::translate("CliTaringTable", "таблица: %1 строк, точек использовано: %2, наибольшее отклонение %3 л "
                                                            "у точки %4, в строке %5, заполненной между точками")
        : at_point
            ? QCoreApplication::translate("CliTaringTable", "таблица: %1 строк, точек использовано: %2, наибольшее отклонение %3 л "
                                                            "у точки %4")
        : table.worst_row
            ? QCoreApplication::translate("CliTaringTable", "таблица: %1 строк, точек использовано: %2, наибольшее отклонение %3 л "
                                                            "в строке %5, заполненной между точками")
            : QCoreApplication::translate("CliTaringTable", "таблица: %1 строк, точек использовано: %2, наибольшее отклонение %3 л");
    // Two decimals always: the deviation is compared with a limit in hundredths of a litre.
    report << worded(words, {whole(static_cast<long long>(calibration::table_points)),
                             whole(static_cast<long long>(table.points_used)),
                             name(language::figures_locale().toString(table.deviation, 'f', 2)),
                             whole(static_cast<long long>(table.worst_point)), whole(static_cast<long long>(table.worst_row))});
    if (const int aside = static_cast<int>(table.set_aside))
        report << worded(QCoreApplication::translate(
            "CliTaringTable", " (точек, отложенных из-за уровня, занятого другой точкой: %n)", nullptr, aside));
    report << "\n";
    return taring::slot_table(table, session.address);
}

std::vector<QCommandLineOption> from_session_options() {
    return {QCommandLineOption(QStringList{"o", option::output},
                               QCoreApplication::translate("CliTaringTable", "Записать таблицу в FILE (.csv или .json), а не в CSV на стандартный вывод."),
                               "FILE"),
            force_option()};
}

Outcome<Nothing> table_from_session(Session& session, const Invocation& call) {
    TRY(arguments(call, {QStringLiteral("SESSION")}));
    TRY_LET(given, output_argument(call, call.args[0], true));
    const QString output = given.value_or(QString());
    const auto read = taring::read_session_file(call.args[0]);
    if (const auto* refused = std::get_if<QString>(&read)) return not_a_session(call.args[0], *refused);
    // With the table on standard output, the report goes with the messages.
    TRY_LET(made, session_table(std::get<taring::TaringSession>(read), output.isEmpty() ? session.io.err : session.io.out));
    if (output.isEmpty()) {
        session.io.out << calibration::table_csv_text(made) << std::flush;
        return Nothing{};
    }
    if (const auto error = calibration::write_table_file(output, made)) return Failed{Status::failed, error->toStdString()};
    return Nothing{};
}

}  // namespace cli
