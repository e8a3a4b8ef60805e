#include "settle_detector.h"

#include <algorithm>
#include <vector>

namespace taring {

std::optional<Settled> SettleDetector::feed(double seconds, double level) {
    if (!window_.empty() && (seconds < window_.back().seconds || seconds - window_.back().seconds > longest_gap_))
        restart();
    window_.push_back({seconds, level});
    // Drops the oldest poll while the rest still reach back `settle` seconds.
    while (window_.size() >= 2 && seconds - window_[1].seconds >= settle_) window_.pop_front();
    if (seconds - window_.front().seconds < settle_ || spread() > tolerance_) return std::nullopt;

    std::vector<double> levels;
    levels.reserve(window_.size());
    for (const Poll& p : window_) levels.push_back(p.level);
    std::sort(levels.begin(), levels.end());
    const std::size_t half = levels.size() / 2;
    const double median = levels.size() % 2 ? levels[half] : (levels[half - 1] + levels[half]) / 2;
    return Settled{median, spread(), static_cast<std::uint32_t>(levels.size())};
}

double SettleDetector::covered() const {
    return window_.empty() ? 0 : std::min(settle_, window_.back().seconds - window_.front().seconds);
}

double SettleDetector::spread() const {
    if (window_.empty()) return 0;
    const auto [low, high] =
        std::minmax_element(window_.begin(), window_.end(), [](const Poll& a, const Poll& b) { return a.level < b.level; });
    return high->level - low->level;
}

}  // namespace taring
