#include "tare_settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <charconv>

#include "arguments.h"
#include "calibration/table_texts.h"
#include "calibration/unit_backup.h"
#include "misses.h"
#include "protocol/number_text.h"
#include "option_names.h"
#include "taring_table.h"
#include "wording.h"

namespace cli {

namespace {

// A figure 0 to `max`; `refusal` says what the option takes (%1 the most, %2 the text).
Outcome<double> fraction(const QString& text, double max, const QString& refusal) {
    const auto n = protocol::to_decimal(text.toStdString());
    if (n && *n >= 0 && *n <= max) return *n;
    return bad(qworded(refusal, {figure(max), name(text)}));
}

}  // namespace

std::string shortest(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return {text, end};
}

Outcome<TareSettings> tare_settings(const Invocation& call) {
    TRY(arguments(call, {QStringLiteral("ADDRESS")}));
    TareSettings s;
    TRY_LET(address, address_argument(call.args[0]));
    s.address = address;
    s.session_file = call.options.value(option::session);
    if (s.session_file.isEmpty()) return bad(QCoreApplication::translate("CliTare", "tare требует --session FILE"));
    struct Decimal {
        const char* option;
        double max;
        QString refusal;
        double* into;
    };
    double start = 0;
    for (const Decimal& d :
         {Decimal{option::start_litres, calibration::max_litres,
                  QCoreApplication::translate("CliTare", "--start-litres принимает литры от 0 до %1, а не \"%2\""), &start},
          Decimal{option::settle, 3600,
                  QCoreApplication::translate("CliTare", "--settle принимает секунды от 0 до %1, а не \"%2\""), &s.settle},
          Decimal{option::tolerance, calibration::max_value,
                  QCoreApplication::translate("CliTare", "--tolerance принимает единицы уровня от 0 до %1, а не \"%2\""),
                  &s.tolerance}}) {
        if (!call.options.isSet(d.option)) continue;
        TRY_LET(n, fraction(call.options.value(d.option), d.max, d.refusal));
        *d.into = n;
    }
    if (call.options.isSet(option::start_litres)) s.start_litres = start;
    if (call.options.isSet(option::slot)) {
        TRY_LET(slot, slot_argument(call.options.value(option::slot)));
        s.slot = slot;
    }
    TRY_LET(password, password_argument(call, option::password));
    s.password = password;
    TRY_LET(output, output_argument(call, s.session_file));
    s.output = output.value_or(QString());
    s.replace_output = call.options.isSet(option::force);
    TRY(writable(s.session_file));
    TRY_LET(max_misses, max_misses_argument(call));
    s.max_misses = max_misses;
    return s;
}

}  // namespace cli
