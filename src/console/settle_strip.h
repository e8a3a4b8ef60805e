#pragma once
// The level over the last settle time, under the taring window's large figure: the polls
// as a line, and the band the tolerance allows around their median, so the technician sees
// the surface calm down (or not) before a point is taken.

#include <QWidget>
#include <deque>

class SettleStrip final : public QWidget {
public:
    explicit SettleStrip(QWidget* parent = nullptr);

    // A poll at `seconds` (a clock that does not run backwards; one that does starts afresh).
    void add(double seconds, double level);
    // The span shown and the band's width; the polls kept follow the span.
    void set_span(double settle_seconds, double tolerance);
    void clear();

    std::size_t polls() const { return polls_.size(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    struct Poll {
        double seconds;
        double level;
    };
    void trim();
    std::deque<Poll> polls_;  // the last `span_` seconds of polls, and one before them
    double span_ = 20;
    double tolerance_ = 2;
};
