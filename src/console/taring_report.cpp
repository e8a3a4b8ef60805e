#include "console/taring_report.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "calibration/whole_file.h"
#include "console/taring_chart.h"
#include "language/language.h"
#include "taring/portion_check.h"

namespace console {

namespace {

constexpr int dots_per_inch = 300;
constexpr double mm = dots_per_inch / 25.4;

const QColor faint(110, 110, 110);
const QColor shade(242, 242, 242);
const QColor worst_row(190, 20, 20);

// The application's own face (it has Cyrillic on every system the console runs on) at a size.
QFont face(double points, bool bold = false) {
    QFont font = QGuiApplication::font();
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A table of short figures, printed as blocks of columns side by side.
struct Table {
    QStringList titles;
    std::vector<QStringList> rows;
    std::optional<std::size_t> marked;  // a row printed in red: the worst point
    std::vector<std::size_t> suspect;   // rows shaded as the window shades them: a portion mistyped?
    std::vector<double> widths;     // of each column, from the widest cell
    double row_height = 0;

    void measure(const QFontMetricsF& plain, const QFontMetricsF& bold) {
        widths.assign(static_cast<std::size_t>(titles.size()), 0);
        for (qsizetype c = 0; c < titles.size(); ++c) widths[static_cast<std::size_t>(c)] = bold.horizontalAdvance(titles[c]);
        for (const auto& row : rows)
            for (qsizetype c = 0; c < row.size(); ++c) {
                auto& w = widths[static_cast<std::size_t>(c)];
                w = std::max(w, plain.horizontalAdvance(row[c]));
            }
        for (auto& w : widths) w += plain.height() * 0.6;
        row_height = plain.height() * 1.25;
    }
    double block_width() const {
        double sum = 0;
        for (const double w : widths) sum += w;
        return sum;
    }
};

// A run of a table's rows at one place on one page.
struct Block {
    int page = 0;
    QPointF origin;
    std::size_t first = 0;
    std::size_t count = 0;
};

// Lays `table`'s rows out in blocks of at most `most_rows` across the width, starting on
// page `page` at `top` and going on at the top of the next pages (`next_top`) until every
// row has its place. The blocks on a page share its rows evenly; a page with room for
// fewer than three rows is passed over.
std::vector<Block> flow(const Table& table, double width, double top, double next_top, double bottom, int page,
                        std::size_t most_rows) {
    const double gap = table.row_height;
    const double block_width = table.block_width();
    const auto across = static_cast<std::size_t>(std::max(1.0, std::floor((width + gap) / (block_width + gap))));
    std::vector<Block> blocks;
    std::size_t first = 0;
    bool page_passed_over = false;
    while (first < table.rows.size()) {
        const double room = (bottom - top) / table.row_height - 1;  // less the titles
        const std::size_t fits = std::min(most_rows, static_cast<std::size_t>(std::max(0.0, std::floor(room))));
        if (fits >= 3) {
            const std::size_t here = std::min(table.rows.size() - first, fits * across);
            const std::size_t used = (here + fits - 1) / fits;
            const std::size_t rows = (here + used - 1) / used;
            for (std::size_t b = 0; b < used; ++b) {
                const std::size_t count = std::min(rows, table.rows.size() - first);
                blocks.push_back({page, QPointF(static_cast<double>(b) * (block_width + gap), top), first, count});
                first += count;
            }
        } else if (page_passed_over) {
            break;  // not even a fresh page holds three rows: nothing sensible to lay out
        } else {
            page_passed_over = true;
        }
        ++page;
        top = next_top;
    }
    return blocks;
}

void draw_block(QPainter& painter, const Table& table, const Block& block, const QFont& plain, const QFont& bold) {
    const QFontMetricsF fm(plain, painter.device());
    const double h = table.row_height;
    const double pad = fm.height() * 0.3;
    const double width = table.block_width();
    auto cells = [&](const QStringList& texts, double y) {
        double x = block.origin.x();
        for (qsizetype c = 0; c < texts.size(); ++c) {
            const double w = table.widths[static_cast<std::size_t>(c)];
            // Figures to the right, so their places line up.
            painter.drawText(QRectF(x, y, w - pad, h), Qt::AlignRight | Qt::AlignVCenter, texts[c]);
            x += w;
        }
    };
    painter.setFont(bold);
    painter.setPen(Qt::black);
    cells(table.titles, block.origin.y());
    painter.setPen(QPen(Qt::black, 0.25 * mm));
    painter.drawLine(QPointF(block.origin.x(), block.origin.y() + h), QPointF(block.origin.x() + width, block.origin.y() + h));
    painter.setFont(plain);
    for (std::size_t r = 0; r < block.count; ++r) {
        const double y = block.origin.y() + h * static_cast<double>(r + 1);
        const bool doubtful = std::ranges::find(table.suspect, block.first + r) != table.suspect.end();
        if (doubtful || r % 2 == 1) painter.fillRect(QRectF(block.origin.x(), y, width, h), doubtful ? suspect_shade : shade);
        painter.setPen(block.first + r == table.marked ? worst_row : QColor(Qt::black));
        cells(table.rows[block.first + r], y);
    }
}

QString number_or_dash(const std::optional<double>& v, int decimals) {
    return v ? language::figure(*v, decimals) : QStringLiteral("—");
}

Table points_table(const TaringReport& report) {
    Table table;
    table.titles = {QCoreApplication::translate("TaringReport", "№"), QCoreApplication::translate("TaringReport", "Литры"), QCoreApplication::translate("TaringReport", "Уровень"), QCoreApplication::translate("TaringReport", "Разброс")};
    for (std::size_t k = 0; k < report.points.size(); ++k) {
        const auto& p = report.points[k];
        table.rows.push_back({QString::number(k + 1), language::figure(p.litres, 2), language::figure(p.level, 1),
                              number_or_dash(p.spread, 1)});
    }
    const std::size_t worst = chart_data(report.points, &report.built).worst_point;  // as the chart rings it
    if (worst >= 1) table.marked = worst - 1;
    for (const auto& s : taring::suspect_portions(report.points)) table.suspect.push_back(s.point - 1);
    return table;
}

Table rows_table(const calibration::CalibrationTable& rows) {
    Table table;
    table.titles = {QCoreApplication::translate("TaringReport", "№"), QCoreApplication::translate("TaringReport", "Уровень"), QCoreApplication::translate("TaringReport", "Литры")};
    for (std::size_t r = 0; r < calibration::table_points; ++r)
        table.rows.push_back({QString::number(r + 1), QString::number(rows.values[r]), QString::number(rows.litres[r])});
    return table;
}

// "Label: value" lines in two columns; returns the height they took.
double draw_facts(QPainter& painter, const TaringReport& report, double width, double top) {
    auto or_dash = [](const QString& s) { return s.trimmed().isEmpty() ? QStringLiteral("—") : s.trimmed(); };
    const std::vector<std::pair<QString, QString>> left{
        {QCoreApplication::translate("TaringReport", "Адрес датчика"), QString::number(report.address)},
        {QCoreApplication::translate("TaringReport", "Серийный номер"), report.serial ? QString::number(*report.serial) : QStringLiteral("—")},
        {QCoreApplication::translate("TaringReport", "Версия ПО"), or_dash(report.version)},
        {QCoreApplication::translate("TaringReport", "Ячейка"), QStringLiteral("Sensor %1").arg(report.slot)},
    };
    std::vector<std::pair<QString, QString>> right;
    for (const auto& [label, value] : {std::pair{QCoreApplication::translate("TaringReport", "Транспорт"), report.vehicle},
                                       std::pair{QCoreApplication::translate("TaringReport", "Бак"), report.tank},
                                       std::pair{QCoreApplication::translate("TaringReport", "Техник"), report.technician}})
        if (!value.trimmed().isEmpty()) right.emplace_back(label, value.trimmed());
    right.emplace_back(QCoreApplication::translate("TaringReport", "Точек"), QString::number(report.points.size()));

    const QFont label_font = face(9.5);
    const QFont value_font = face(9.5, true);
    const QFontMetricsF fm(label_font, painter.device());
    const double line = fm.height() * 1.35;
    auto column = [&](const std::vector<std::pair<QString, QString>>& facts, double x, double w) {
        double label_width = 0;
        for (const auto& fact : facts) label_width = std::max(label_width, fm.horizontalAdvance(fact.first + u':'));
        double y = top;
        for (const auto& [label, value] : facts) {
            painter.setFont(label_font);
            painter.setPen(faint);
            painter.drawText(QRectF(x, y, label_width, line), Qt::AlignLeft | Qt::AlignVCenter, label + u':');
            painter.setFont(value_font);
            painter.setPen(Qt::black);
            const double vx = x + label_width + fm.height() * 0.5;
            painter.drawText(QRectF(vx, y, x + w - vx, line), Qt::AlignLeft | Qt::AlignVCenter,
                             QFontMetricsF(value_font, painter.device()).elidedText(value, Qt::ElideRight, x + w - vx));
            y += line;
        }
        return y - top;
    };
    const double half = width / 2;
    return std::max(column(left, 0, half - 4 * mm), column(right, half, half));
}

}  // namespace

std::optional<QString> write_taring_report(const QString& path, const TaringReport& report) {
    const QString title = QCoreApplication::translate("TaringReport", "Протокол тарировки");
    const QString made = report.made.isValid() ? language::date_time(report.made) : QStringLiteral("—");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(dots_per_inch);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 14, 15, 12),
                                         QPageLayout::Millimeter));
        writer.setTitle(title);
        writer.setCreator(QGuiApplication::applicationDisplayName());
        QPainter painter;
        if (!painter.begin(&writer)) return QCoreApplication::translate("TaringReport", "%1: не удалось начать PDF").arg(QFileInfo(path).fileName());
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QRect page = writer.pageLayout().paintRectPixels(dots_per_inch);  // the painter's origin at its corner
        const double width = page.width();
        const double footer = 7 * mm;
        const double bottom = page.height() - footer;

        // The title with the date beside it, and a rule under both.
        const QFont title_font = face(17, true);
        const QFontMetricsF title_metrics(title_font, painter.device());
        painter.setFont(title_font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(0, title_metrics.ascent()), title);
        const QFont date_font = face(11);
        painter.setFont(date_font);
        painter.drawText(QPointF(width - QFontMetricsF(date_font, painter.device()).horizontalAdvance(made), title_metrics.ascent()),
                         made);
        double y = title_metrics.height() + 2 * mm;
        painter.setPen(QPen(Qt::black, 0.35 * mm));
        painter.drawLine(QPointF(0, y), QPointF(width, y));
        y += 3 * mm;
        y += draw_facts(painter, report, width, y) + 4 * mm;

        const double chart_height = 92 * mm;
        painter.setFont(face(8.5));
        painter.setPen(Qt::black);
        auto chart = chart_data(report.points, &report.built);
        std::vector<std::size_t> suspect;  // marked as the window marks them
        for (const auto& s : taring::suspect_portions(report.points)) suspect.push_back(s.point);
        chart.suspect = suspect;
        draw_taring_chart(painter, QRectF(0, y, width, chart_height), chart);
        y += chart_height + 1.5 * mm;
        const QFont heading = face(11, true);
        const double heading_height = QFontMetricsF(heading, painter.device()).height() * 1.4;
        painter.setFont(face(10, true));
        painter.drawText(QRectF(0, y, width, heading_height), Qt::AlignLeft | Qt::AlignVCenter,
                         deviation_text(report.built));
        y += heading_height + 3 * mm;

        const QFont cell_font = face(8.5);
        const QFont cell_bold = face(8.5, true);
        const QFontMetricsF cell_metrics(cell_font, painter.device());
        const QFontMetricsF bold_metrics(cell_bold, painter.device());
        auto section = [&](const QString& text, double at) {
            painter.setFont(heading);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(0, at, width, heading_height), Qt::AlignLeft | Qt::AlignVCenter, text);
        };

        Table rows = rows_table(report.built.table);
        rows.measure(cell_metrics, bold_metrics);
        section(QCoreApplication::translate("TaringReport", "Таблица калибровки (40 строк)"), y);
        y += heading_height;
        const auto row_blocks = flow(rows, width, y, y, bottom, 0, 10);  // four blocks of ten rows
        double below = y;
        for (const auto& block : row_blocks) {
            draw_block(painter, rows, block, cell_font, cell_bold);
            below = std::max(below, block.origin.y() + rows.row_height * static_cast<double>(block.count + 1));
        }
        y = below + 5 * mm;

        Table taken = points_table(report);
        taken.measure(cell_metrics, bold_metrics);
        const auto point_blocks = flow(taken, width, y + heading_height, heading_height, bottom, 0, SIZE_MAX);
        const int pages = point_blocks.empty() ? 1 : point_blocks.back().page + 1;
        auto footer_line = [&](int page_number) {
            painter.setFont(face(8));
            painter.setPen(faint);
            const QRectF line(0, page.height() - footer * 0.6, width, footer * 0.6);
            painter.drawText(line, Qt::AlignLeft | Qt::AlignBottom,
                             QCoreApplication::translate("TaringReport", "%1, датчик %2, %3").arg(title, QString::number(report.address), made));
            painter.drawText(line, Qt::AlignRight | Qt::AlignBottom,
                             QCoreApplication::translate("TaringReport", "Стр. %1 из %2").arg(page_number + 1).arg(pages));
        };
        footer_line(0);
        int page_now = 0;
        int headed = -1;  // the page that has the points' heading already
        for (const auto& block : point_blocks) {
            if (block.page != page_now) {
                writer.newPage();
                page_now = block.page;
                footer_line(page_now);
            }
            if (headed != page_now) {
                QString text = QCoreApplication::translate("TaringReport", "Точки тарировки");
                if (block.first > 0)
                    text = QCoreApplication::translate("TaringReport", "Точки тарировки (продолжение)");
                else if (report.built.set_aside > 0)
                    text = QCoreApplication::translate("TaringReport",
                                                       "Точки тарировки (с уже взятым уровнем, не в таблице: %1)")
                               .arg(report.built.set_aside);
                section(text, block.origin.y() - heading_height);
                headed = page_now;
            }
            draw_block(painter, taken, block, cell_font, cell_bold);
        }
        if (!painter.end()) return QCoreApplication::translate("TaringReport", "%1: не удалось закончить PDF").arg(QFileInfo(path).fileName());
    }
    return calibration::write_whole_file(path, buffer.data());
}

}  // namespace console
