#include "misses.h"

#include <QCoreApplication>
#include <QDateTime>
#include <ostream>

#include "arguments.h"
#include "option_names.h"
#include "wording.h"

namespace cli {

QCommandLineOption max_misses_option() {
    return {QStringList{option::max_misses},
            qworded(QCoreApplication::translate("CliMisses", "Завершиться с кодом 1 после N опросов подряд без ответа (по умолчанию %1)."),
                    {whole(default_max_misses)}),
            "N"};
}

Outcome<std::int32_t> max_misses_argument(const Invocation& call) {
    if (!call.options.isSet(option::max_misses)) return default_max_misses;
    return number("--max-misses", call.options.value(option::max_misses), {1, 1'000'000});
}

std::string local_time_text() {
    const QDateTime now = QDateTime::currentDateTime();
    return now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODateWithMs).toStdString();
}

std::optional<Failed> Misses::missed(const Failed& why, bool port_gone) {
    if (port_gone) return why;
    err_ << "trelvik-cli: " << worded(QCoreApplication::translate("CliMisses", "%1 нет ответа: %2"), {local_time_text(), why.message}) << std::endl;
    if (++in_a_row_ < limit_) return std::nullopt;
    return Failed{Status::failed, QCoreApplication::translate("CliMisses", "опросов подряд без ответа: %n", nullptr, in_a_row_).toStdString()};
}

}  // namespace cli
