#pragma once
// A table out of order, worded for the operator in the program's language.

#include <QString>
#include <vector>

#include "calibration/table_checks.h"

namespace calibration {

// "Значения датчика не растут: строки 17–18 (40000 → 1800). Литры убывают: строки 16–17
// (147 → 16)." The first `named` pairs of each kind are shown, the rest counted.
QString order_problem(const std::vector<OrderBreak>& breaks, qsizetype named);

}  // namespace calibration
