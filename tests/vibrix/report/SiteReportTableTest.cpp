// The site report's pile table: its captions fit their columns in whatever font the system has.
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

} // namespace
