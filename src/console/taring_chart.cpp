#include "console/taring_chart.h"

#include <QPainter>

namespace console {

void draw_taring_chart(QPainter& painter, const QRectF& area, const TaringChartData& data) {
    (void)painter;
    (void)area;
    (void)data;
}

QString deviation_text(const taring::BuiltTable& built) {
    return QStringLiteral("Наибольшее отклонение %1 л").arg(built.deviation, 0, 'f', 2);
}

}  // namespace console
