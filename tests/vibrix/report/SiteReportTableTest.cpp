// The site report's pile table: its captions fit their columns in whatever font the system has,
// and its wrapped texts keep their last two words together.
#include <gtest/gtest.h>

#include "SiteReportTable.h"

namespace {

TEST(SiteReportTable, EveryCaptionWordFitsItsColumnAndTheTableKeepsItsWidth) {
    TReportPage page = LoadReportLayout(QStringLiteral("SiteTable"));
    const QRectF table = page.Find(QStringLiteral("PileTable")).Place;
    QFont font = SiteTableFont(page);
    font.setPixelSize(font.pixelSize() * 13 / 10); // a wider face than the layout's
    const QFontMetricsF metrics(font);
    const TSiteTableRow header = SiteTableHeader(metrics);
    AddSiteTable(page, header, {});
    double right = table.left();
    int captions = 0;
    for (const TReportObject& o : page.Objects) {
        if (o.Type != TReportObject::Kind::Text || !header.cells.contains(o.Text))
            continue;
        ++captions;
        for (const QString& word : o.Text.split(QLatin1Char(' ')))
            EXPECT_GE(o.Place.width(), metrics.horizontalAdvance(word))
                << o.Text.toStdString() << " " << o.Place.width();
        right = std::max(right, o.Place.right());
    }
    EXPECT_EQ(captions, header.cells.size());
    EXPECT_LE(right, table.right() + 0.5);
}

TEST(SiteReportTable, AWrappedRemarkNeverLeavesItsLastWordAloneOnALine) {
    const TReportPage page = LoadReportLayout(QStringLiteral("SiteTable"));
    const QFontMetricsF metrics(SiteTableFont(page));
    QStringList cells(10, QString());
    const QString remark =
        QStringLiteral("Трещина на отметке 3,5 м, рекомендуется повторное испытание после срубки оголовка");
    cells.back() = remark;
    const TSiteTableRow row = SiteTableRow(metrics, cells);
    const QString shown = row.cells.back();
    const qsizetype bound = shown.lastIndexOf(QChar::Nbsp);
    ASSERT_GT(bound, 0) << "the last two words go to a line together";
    EXPECT_EQ(QString(shown).replace(QChar::Nbsp, QLatin1Char(' ')), remark);
    EXPECT_EQ(shown.mid(bound + 1), QStringLiteral("оголовка"));
    // A remark that fits its line is left as it is.
    cells.back() = QStringLiteral("Без замечаний");
    EXPECT_EQ(SiteTableRow(metrics, cells).cells.back(), cells.back());
}

} // namespace
