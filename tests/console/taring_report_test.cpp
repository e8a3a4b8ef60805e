#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <variant>

#include "console/taring_chart.h"
#include "console/taring_report.h"

namespace {

taring::BuiltTable built_from(const std::vector<taring::TaringPoint>& points) {
    auto made = taring::build_table(points);
    EXPECT_TRUE(std::holds_alternative<taring::BuiltTable>(made));
    return std::get<taring::BuiltTable>(made);
}

}  // namespace

TEST(TaringReport, WritesAPdfWithTheSensorAndTheTableOrNoFileAtAll) {
    console::TaringReport report;
    report.made = QDateTime(QDate(2026, 12, 8), QTime(10, 30));
    report.address = 7;
    report.serial = 4711503;
    report.slot = 3;
    report.vehicle = QStringLiteral("КамАЗ А123ВС");
    report.points = {{0, 0, 2.0, {}, {}}, {37, 1213, 3.0, {}, {}}, {81, 4870, {}, {}, {}},
                     {125, 9321, 1.5, {}, {}}, {168, 14890, 2.0, {}, {}}, {213, 21977, 2.5, {}, {}}};
    report.built = built_from(report.points);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("protocol.pdf"));
    ASSERT_EQ(console::write_taring_report(path, report), std::nullopt);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));

    const QString nowhere = dir.filePath(QStringLiteral("missing/protocol.pdf"));
    const auto refused = console::write_taring_report(nowhere, report);
    ASSERT_TRUE(refused.has_value());
    EXPECT_TRUE(refused->contains(QStringLiteral("protocol.pdf"))) << refused->toStdString();
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{QStringLiteral("protocol.pdf")});

#ifdef _WIN32
    GTEST_SKIP() << "the text of the PDF is read with pdftotext, on Linux";
#else
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000)) << "pdftotext (poppler-utils) did not run";
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const QString& expected : {QStringLiteral("Протокол тарировки"), QStringLiteral("08.12.2026 10:30"),
                                    QStringLiteral("4711503"), QStringLiteral("Sensor 3"), QStringLiteral("КамАЗ А123ВС"),
                                    console::deviation_text(report.built)})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " not in\n" << text.toStdString();
    // Rows filled in between the points, and the last one, each as "row level litres".
    for (const std::size_t row : {1, 20, 39}) {
        const QString cells = QStringLiteral("%1 +%2 +%3")
                                  .arg(row + 1)
                                  .arg(report.built.table.values[row])
                                  .arg(report.built.table.litres[row]);
        EXPECT_TRUE(text.contains(QRegularExpression(cells))) << cells.toStdString() << " not in\n" << text.toStdString();
    }
#endif
}

TEST(TaringChart, DrawsNoneOneAndManyPointsPointsOfOneLevelAndWildValues) {
    std::vector<taring::TaringPoint> many;
    for (int k = 0; k < 1000; ++k) many.push_back({k * 2.0, k * 30.0 + (k % 7), {}, {}, {}});
    const taring::BuiltTable built = built_from(many);
    const std::vector<taring::TaringPoint> one{{0, 100, {}, {}, {}}};
    const std::vector<taring::TaringPoint> flat{{0, 500, {}, {}, {}}, {0, 500, {}, {}, {}}};
    // What a damaged session file could hold.
    const std::vector<taring::TaringPoint> wild{{std::nan(""), 1e300, {}, {}, {}}, {-1e300, 5, {}, {}, {}}};

    // Suspect marks past the points, or on a wild one, are passed over.
    const std::size_t suspect[] = {1, 2, 5, 999, 1001};

    QImage image(500, 350, QImage::Format_ARGB32);
    QPainter painter(&image);
    for (const console::TaringChartData& data :
         {console::TaringChartData{}, console::TaringChartData{one, nullptr, 0, {}},
          console::TaringChartData{flat, nullptr, 2, suspect}, console::TaringChartData{wild, nullptr, 1, suspect},
          console::TaringChartData{many, &built.table, built.worst_point, suspect}})
        console::draw_taring_chart(painter, QRectF(image.rect()), data);
    EXPECT_TRUE(painter.end());
}
