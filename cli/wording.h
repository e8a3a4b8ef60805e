#pragma once
// Texts the operator reads, in the program's language. The words are translated where they
// are written (QCoreApplication::translate, so that the translation tools find them); the
// names and figures go in afterwards in one pass, so a file name that holds "%2" stays as
// it is and a figure gets the language's decimal mark. Data (CSV, tables, frames) never
// comes through here.

#include <QString>
#include <string>
#include <vector>

#include "language/language.h"

namespace cli {

using Arg = protocol::Text::Arg;

inline std::string worded(const QString& words, const std::vector<Arg>& args = {}) {
    return language::with_args(words, args).toStdString();
}
inline QString qworded(const QString& words, const std::vector<Arg>& args = {}) {
    return language::with_args(words, args);
}

inline Arg name(const QString& text) { return text.toStdString(); }
inline Arg whole(long long n) { return n; }
// Litres, levels and seconds as typed or measured: up to three decimals.
inline Arg figure(double value, int decimals = 3) { return protocol::Figure{value, decimals}; }

}  // namespace cli
