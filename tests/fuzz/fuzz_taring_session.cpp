// A taring session file as another tool, a crash or a hand may have left it: reading either
// refuses it whole with a problem that says what is wrong, or gives a session that the
// writer writes out to a file that reads back to the same session.

#include <QByteArray>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "taring/session_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace taring;
    const auto read = read_session_json(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (const auto* problem = std::get_if<calibration::FileProblem>(&read)) {
        FUZZ_CHECK(!problem->what.empty());
        FUZZ_CHECK(problem->where.empty() || std::string_view(problem->where.source).starts_with("поле «"));
        return 0;
    }
    const TaringSession& session = std::get<TaringSession>(read);
    FUZZ_CHECK(session.address >= 0 && session.address <= 200);
    for (const TaringPoint& p : session.points) {
        FUZZ_CHECK(std::isfinite(p.litres) && p.litres >= 0 && std::isfinite(p.level) && p.level >= 0);
        FUZZ_CHECK(!p.spread || (std::isfinite(*p.spread) && *p.spread >= 0));
        FUZZ_CHECK(!p.polls || *p.polls >= 1);
    }
    const auto again = read_session_json(write_session_json(session));
    FUZZ_CHECK(std::holds_alternative<TaringSession>(again) && std::get<TaringSession>(again) == session);
    return 0;
}
