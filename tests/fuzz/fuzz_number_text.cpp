// Operator text to numbers, with both decimal separators. A reference reader of the same
// grammar (blanks and tabs around, an optional sign, digits, an optional fraction after
// the separator, at least one digit in all; the fraction rounded half to even) decides
// what each conversion must give; an accepted number must read back the same when
// written out again.

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "protocol/number_text.h"

namespace {

// The number as written: its sign, its whole digits without leading zeros and its
// fractional digits.
struct Written {
    bool negative = false;
    std::string whole;     // without leading zeros, "" for zero
    std::string fraction;  // as written
};

bool blank(char c) { return c == ' ' || c == '\t'; }
bool digit(char c) { return c >= '0' && c <= '9'; }

// nullopt when the text is no number of the grammar.
std::optional<Written> read(std::string_view text, std::string_view separator) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    std::size_t i = begin;
    Written w;
    if (i < end && (text[i] == '-' || text[i] == '+')) w.negative = text[i++] == '-';
    const std::size_t whole_at = i;
    while (i < end && digit(text[i])) ++i;
    std::string whole(text.substr(whole_at, i - whole_at));
    if (text.substr(i, end - i).starts_with(separator)) {
        i += separator.size();
        const std::size_t fraction_at = i;
        while (i < end && digit(text[i])) ++i;
        w.fraction = text.substr(fraction_at, i - fraction_at);
    }
    if (i != end || whole.size() + w.fraction.size() == 0) return std::nullopt;
    w.whole = whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
    return w;
}

// The rounded value when its magnitude fits in 19 digits, else nullopt (out of every range).
std::optional<std::int64_t> value(const Written& w) {
    if (w.whole.size() > 18) return std::nullopt;
    std::int64_t magnitude = 0;
    for (char c : w.whole) magnitude = magnitude * 10 + (c - '0');
    // Compare the fraction with one half: "5" followed by zeros is the tie.
    const std::string& f = w.fraction;
    const bool above_half = !f.empty() && (f[0] > '5' || (f[0] == '5' && f.find_first_not_of('0', 1) != std::string::npos));
    const bool half = !f.empty() && f[0] == '5' && !above_half;
    if (above_half || (half && magnitude % 2 == 1)) ++magnitude;
    return w.negative ? -magnitude : magnitude;
}

template <typename T>
std::optional<T> expected(std::string_view text, std::string_view separator) {
    const auto written = read(text, separator);
    if (!written) return std::nullopt;
    const auto v = value(*written);
    if (!v || *v < std::numeric_limits<T>::min() || *v > std::numeric_limits<T>::max()) return std::nullopt;
    return static_cast<T>(*v);
}

template <typename T, typename Convert>
void check(Convert convert, std::string_view text, std::string_view separator) {
    const std::optional<T> got = convert(text, separator);
    FUZZ_CHECK(got == expected<T>(text, separator));
    if (!got) return;
    // Written out again, with blanks around or a fraction below one half, it reads the same.
    const std::string plain = std::to_string(+*got);
    FUZZ_CHECK(convert(plain, separator) == got);
    FUZZ_CHECK(convert(" \t" + plain + "\t ", separator) == got);
    FUZZ_CHECK(convert(plain + std::string(separator) + "49", separator) == got);
}

void check_all(std::string_view text, std::string_view separator) {
    check<std::uint8_t>(protocol::to_byte, text, separator);
    check<std::int16_t>(protocol::to_int16, text, separator);
    check<std::int32_t>(protocol::to_int32, text, separator);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check_all(text, ".");
    check_all(text, ",");
    return 0;
}
