#include "order_words.h"

#include <QCoreApplication>
#include <QStringList>

#include "language/language.h"

namespace calibration {

QString order_problem(const std::vector<OrderBreak>& breaks, qsizetype named) {
    using Kind = OrderBreak::Kind;
    QStringList sentences;
    for (const Kind kind : {Kind::values_not_rising, Kind::litres_falling}) {
        QStringList pairs;
        for (const auto& b : breaks)
            if (b.kind == kind) pairs << QStringLiteral("%1–%2 (%3 → %4)").arg(b.row).arg(b.row + 1).arg(b.from).arg(b.to);
        if (pairs.isEmpty()) continue;
        sentences << (kind == Kind::values_not_rising
                          ? QCoreApplication::translate("TableChecks", "Значения датчика не растут: строки %1.")
                          : QCoreApplication::translate("TableChecks", "Литры убывают: строки %1."))
                         .arg(language::listed(pairs, named));
    }
    return sentences.join(u' ');
}

}  // namespace calibration
