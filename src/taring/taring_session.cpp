#include "taring_session.h"

namespace taring {

std::optional<TaringPoint> TaringSession::undo() {
    if (points.empty()) return std::nullopt;
    TaringPoint last = std::move(points.back());
    points.pop_back();
    finished = false;
    return last;
}

}  // namespace taring
