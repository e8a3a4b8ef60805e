#include "console/settle_strip.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QColor band_colour(200, 240, 200);
const QColor line_colour(31, 100, 180);
const QColor out_colour(210, 30, 30);

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t half = v.size() / 2;
    return v.size() % 2 ? v[half] : (v[half - 1] + v[half]) / 2;
}

}  // namespace

SettleStrip::SettleStrip(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(4 * fontMetrics().height());
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void SettleStrip::add(double seconds, double level) {
    if (!polls_.empty() && seconds < polls_.back().seconds) polls_.clear();
    polls_.push_back({seconds, level});
    trim();
    update();
}

void SettleStrip::set_span(double settle_seconds, double tolerance) {
    span_ = std::max(1.0, settle_seconds);
    tolerance_ = std::max(0.0, tolerance);
    trim();
    update();
}

void SettleStrip::clear() {
    polls_.clear();
    update();
}

// Keeps one poll older than the span, so the line reaches the strip's left edge.
void SettleStrip::trim() {
    if (polls_.empty()) return;
    const double from = polls_.back().seconds - span_;
    while (polls_.size() >= 2 && polls_[1].seconds <= from) polls_.pop_front();
}

void SettleStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.fillRect(area, palette().base());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area);
    if (polls_.empty()) return;

    const double now = polls_.back().seconds;
    std::vector<double> shown;
    for (const Poll& p : polls_)
        if (p.seconds >= now - span_) shown.push_back(p.level);
    if (shown.empty()) shown.push_back(polls_.back().level);
    // While the spread is within the tolerance, the band is where the next poll may fall
    // and still keep it so; beyond, the tolerance's width around the median, the polls out
    // of it marked.
    const auto [low, high] = std::minmax_element(shown.begin(), shown.end());
    const bool calm = *high - *low <= tolerance_;
    const double centre = median(shown);
    const double band_lo = calm ? *high - tolerance_ : centre - tolerance_ / 2;
    const double band_hi = calm ? *low + tolerance_ : centre + tolerance_ / 2;
    // The band and every poll in view, with room around them; at least a level high.
    double lo = std::min(*low, band_lo), hi = std::max(*high, band_hi);
    const double room = std::max(1.0 - (hi - lo), 0.0) / 2 + 0.15 * (hi - lo);
    lo -= room;
    hi += room;
    const QRectF plot = area.adjusted(2, 2, -2, -2);
    auto x_of = [&](double s) { return plot.right() - (now - s) / span_ * plot.width(); };
    auto y_of = [&](double level) { return plot.bottom() - (level - lo) / (hi - lo) * plot.height(); };

    painter.fillRect(QRectF(QPointF(plot.left(), y_of(band_hi)), QPointF(plot.right(), y_of(band_lo))), band_colour);
    painter.save();
    painter.setClipRect(plot);
    QPainterPath line;
    for (std::size_t k = 0; k < polls_.size(); ++k) {
        const QPointF p(x_of(polls_[k].seconds), y_of(polls_[k].level));
        if (k == 0)
            line.moveTo(p);
        else
            line.lineTo(p);
    }
    painter.setPen(QPen(line_colour, 1.5));
    painter.drawPath(line);
    for (const Poll& p : polls_) {
        const bool out = !calm && (p.level < band_lo || p.level > band_hi) && p.seconds >= now - span_;
        painter.setPen(Qt::NoPen);
        painter.setBrush(out ? out_colour : line_colour);
        painter.drawEllipse(QPointF(x_of(p.seconds), y_of(p.level)), 2.2, 2.2);
    }
    painter.restore();
}
