#include "tare_settings.h"

#include <QCommandLineParser>
#include <algorithm>
#include <charconv>

#include "calibration/table_texts.h"
#include "calibration/unit_backup.h"
#include "protocol/number_text.h"
#include "protocol/requests.h"
#include "taring_table.h"

namespace cli {

namespace {

Failed bad(const std::string& message) { return {Status::bad_use, message}; }

Outcome<std::int32_t> whole(const std::string& name, const QString& text, protocol::Range range) {
    if (const auto n = protocol::typed_number(text.toStdString(), "", range)) return *n;
    return bad(name + " takes a whole number " + std::to_string(range.min) + " to " + std::to_string(range.max) +
               ", not \"" + text.toStdString() + "\"");
}

Outcome<double> fraction(const std::string& name, const QString& text, double max, const std::string& unit) {
    const auto n = decimal(text.toStdString());
    if (n && *n >= 0 && *n <= max) return *n;
    return bad(name + " takes " + unit + " 0 to " + shortest(max) + ", not \"" + text.toStdString() + "\"");
}

}  // namespace

std::optional<double> decimal(std::string_view text) {
    std::string number(protocol::trim_blanks(text));
    if (number.starts_with('+')) number.erase(0, 1);
    std::replace(number.begin(), number.end(), ',', '.');
    const std::size_t digits = number.find_first_of("0123456789");
    const std::size_t start = number.starts_with('-') ? 1 : 0;
    if (digits == std::string::npos || number.find_first_not_of("0123456789.", start) != std::string::npos ||
        std::count(number.begin(), number.end(), '.') > 1)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || end != number.data() + number.size()) return std::nullopt;
    return value;
}

std::string shortest(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return {text, end};
}

Outcome<TareSettings> tare_settings(const Invocation& call) {
    if (call.args.size() != 1) return bad("expected ADDRESS, the sensor's address");
    TareSettings s;
    const auto address = whole("ADDRESS", call.args[0], protocol::net_range);
    if (const auto* failed = std::get_if<Failed>(&address)) return *failed;
    s.address = static_cast<Byte>(std::get<std::int32_t>(address));
    s.session_file = call.options.value("session");
    if (s.session_file.isEmpty()) return bad("tare needs --session FILE");
    struct Decimal {
        const char* option;
        double max;
        const char* unit;
        double* into;
    };
    double start = 0;
    for (const Decimal& d : {Decimal{"start-litres", calibration::max_litres, "litres", &start},
                             Decimal{"settle", 3600, "seconds", &s.settle},
                             Decimal{"tolerance", calibration::max_value, "levels", &s.tolerance}}) {
        if (!call.options.isSet(d.option)) continue;
        const auto n = fraction(std::string("--") + d.option, call.options.value(d.option), d.max, d.unit);
        if (const auto* failed = std::get_if<Failed>(&n)) return *failed;
        *d.into = std::get<double>(n);
    }
    if (call.options.isSet("start-litres")) s.start_litres = start;
    if (call.options.isSet("slot")) {
        const auto slot = whole("--slot", call.options.value("slot"), {1, static_cast<std::int32_t>(calibration::unit_slots)});
        if (const auto* failed = std::get_if<Failed>(&slot)) return *failed;
        s.slot = static_cast<std::size_t>(std::get<std::int32_t>(slot) - 1);
    }
    if (call.options.isSet("password")) {
        const auto password = whole("--password", call.options.value("password"), protocol::password_range);
        if (const auto* failed = std::get_if<Failed>(&password)) return *failed;
        s.password = static_cast<std::uint32_t>(std::get<std::int32_t>(password));
    }
    s.output = call.options.value("output");
    if (!s.output.isEmpty())
        if (auto writable = table_file_writable(s.output); std::holds_alternative<Failed>(writable))
            return std::get<Failed>(writable);
    return s;
}

}  // namespace cli
