#include "taring_table.h"

#include <cstdio>
#include <ostream>

#include "arguments.h"
#include "calibration/table_file.h"
#include "language/language.h"
#include "taring/session_file.h"
#include "taring/table_builder.h"
#include "option_names.h"
#include "taring_commands.h"

namespace cli {

Outcome<calibration::CalibrationTable> session_table(const taring::TaringSession& session, std::ostream& report) {
    const auto built = taring::build_table(session.points);
    if (const auto* refused = std::get_if<taring::TableRefusal>(&built))
        return Failed{Status::bad_use, "the table cannot be built: " + language::worded(refused->text).toStdString()};
    const auto& table = std::get<taring::BuiltTable>(built);
    char deviation[32];
    std::snprintf(deviation, sizeof deviation, "%.2f", table.deviation);
    report << "table: " << calibration::table_points << " rows from " << table.points_used << " points, largest deviation "
           << deviation << " L";
    if (table.worst_point && table.deviation > 0) report << " at point " << table.worst_point;
    if (table.worst_row) report << " at row " << table.worst_row << ", filled in between points";
    if (table.set_aside)
        report << " (" << table.set_aside << (table.set_aside == 1 ? " point" : " points")
               << " at a level another point has set aside)";
    report << "\n";
    return taring::slot_table(table, session.address);
}

std::vector<QCommandLineOption> from_session_options() {
    return {QCommandLineOption(QStringList{"o", option::output}, "Write the table to FILE (.csv or .json) instead of CSV to standard output.",
                               "FILE"),
            force_option()};
}

Outcome<Nothing> table_from_session(Session& session, const Invocation& call) {
    TRY(arguments(call, {QStringLiteral("SESSION")}));
    const QString output = call.options.value(option::output);
    if (!output.isEmpty()) TRY(output_file(call, output));
    const auto read = taring::read_session_file(call.args[0]);
    if (const auto* refused = std::get_if<QString>(&read)) return bad(*refused);
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
