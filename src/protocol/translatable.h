#pragma once
// Texts a person reads, as the plain C++ layers hand them up: the words in Russian, the
// language the code is written in, with %1, %2, ... where figures and names go, and the
// figures and names apart. The Qt layers word them in the program's language
// (language::worded), so that a figure gets the language's decimal mark and no text is
// ever built up in one language in the middle of another.
//
// QT_TRANSLATE_NOOP marks the words for the translation tools, which look for it by name;
// here it does nothing, exactly as Qt's own.

#include <string>
#include <utility>
#include <variant>
#include <vector>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace protocol {

struct Figure {
    double value = 0;
    int decimals = 3;  // at most; trailing zeros are dropped
};

struct Text {
    using Arg = std::variant<std::string, long long, Figure>;  // a name or typed text, a whole number, a figure

    const char* context = "";
    const char* source = "";  // QT_TRANSLATE_NOOP(context, "…"), with %1 … %9
    std::vector<Arg> args;

    Text() = default;
    Text(const char* context_, const char* source_, std::vector<Arg> args_ = {})
        : context(context_), source(source_), args(std::move(args_)) {}
    bool empty() const { return source[0] == '\0'; }
};

}  // namespace protocol
