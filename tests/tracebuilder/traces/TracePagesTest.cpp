// The pages a wide trace is printed on, and what the picture tells about the point under the
// pointer.
#include <gtest/gtest.h>

#include <QLocale>

#include "ColumnReadout.h"
#include "TracePages.h"
#include "TraceRig.h"
#include "TrcI_HFSG.h"
#include "TrcP_HFSG.h"
#include "TrcV_HFSG.h"

namespace {

using SeismoChain = PictureChain<tTrcV_HFSG, tTrcP_HFSG, tTrcI_HFSG>;

TEST(TracePages, ColumnsShareAsFewPagesAsAReadableWidthAllows) {
    const tPagePlan wide = PlanPages(300, 265, 4, 15); // 66 fit: 5 pages of 60
    EXPECT_EQ(wide.pages, 5);
    EXPECT_EQ(wide.perPage, 60);
    EXPECT_DOUBLE_EQ(wide.pitch, 265.0 / 60);
    const tPagePlan narrow = PlanPages(6, 265, 4, 15); // one page, no column wider than 15
    EXPECT_EQ(narrow.pages, 1);
    EXPECT_DOUBLE_EQ(narrow.pitch, 15);
}

TEST(ColumnReadout, NamesTheDepthAndTheColumnUnderThePointer) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    tAppInt app;
    TabControls tab;
    SeismoChain chain(app, tab);
    tTrc__DataList list = MakeList(3, Sine(300, 1000, 2e-5, 16384), 2e-5);
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i]->channel = std::int16_t(i % 2);
        list[i]->origin = {"/data/site4", QString("p_%1.ssm").arg(7 + i / 2), 4, std::uint16_t(7 + i / 2), 0};
    }
    chain.image.conf.SetColumns(list);
    chain.values.Calc(list);
    chain.processing.Calc();
    const tTrcColumnsCnf& c = chain.image.conf;
    const QPoint second(c.ColumnCentre(1), c.ColumnsTop() + 12 * c.PixelsPerMetre());
    EXPECT_EQ(ColumnReadout(c, second), "Глубина: 12,0 м    Столбец 2: поле 4, свая 7, канал 2");
    EXPECT_EQ(ColumnReadout(c, QPoint(c.ColumnCentre(2), 5)), "Столбец 3: поле 4, свая 8, канал 1");
    EXPECT_TRUE(ColumnReadout(c, QPoint(c.ColumnCentre(3), 300)).isEmpty()); // right of the last column
    EXPECT_TRUE(ColumnTooltip(c, QPoint(5, 300)).isEmpty());                 // left of the first
    EXPECT_TRUE(ColumnTooltip(c, second).startsWith("Файл: p_7.ssm\nПоле: 4\nСвая: 7\nКанал: 2\nДата: "));
    EXPECT_EQ(c.ColumnName(1), QString("7·2")); // both channels of p_7 are built
    QLocale::setDefault(QLocale::c());
}

} // namespace
