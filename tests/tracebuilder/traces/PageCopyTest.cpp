// A page of a column trace is copied out of the strip of all its columns, drawn once: it must be
// the page the columns drawn one by one give, for even and odd column steps, at every scroll
// position, and the whole trace must be the columns with both axes.
#include <gtest/gtest.h>

#include "TraceRig.h"
#include "TrcI_HFSG.h"
#include "TrcI_HFSpG.h"
#include "TrcP_HFSG.h"
#include "TrcP_HFSpG.h"
#include "TrcV_HFSG.h"
#include "TrcV_HFSpG.h"

namespace {

constexpr double kDt = 2e-5;

// The image with its one-column drawing open to the test.
template <class I> struct Open : I {
    using I::DrawColumn;
    using I::I;
};

// Channels whose lobes reach the column edges, with sign changes at every depth.
tTrc__DataList Channels(std::size_t n) {
    tTrc__DataList list;
    for (std::size_t k = 0; k < n; ++k) {
        std::vector<double> v = Sine(300 + 37.0 * double(k), 1000, kDt, 16384);
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] *= 1.0 + 0.5 * std::sin(double(i) * 0.01 + double(k));
        list.push_back(MakeChannel(v, kDt));
    }
    return list;
}

template <class V, class P, class I> void ExpectPagesAsDrawnColumnByColumn(std::size_t count, int step) {
    tAppInt app;
    TabControls tab;
    PictureChain<V, P, Open<I>> chain(app, tab);
    const tTrc__DataList list = Channels(count);
    chain.values.Calc(list);
    chain.processing.Calc();
    const tTrcColumnsCnf& c = chain.image.conf;
    ASSERT_EQ(c.columnStep, step);
    for (int first : {1, 2, c.count - c.visible + 1, (c.count - c.visible) / 2 + 1}) {
        if (first < 1 || first > c.count - c.visible + 1)
            continue;
        chain.image.conf.first = std::uint16_t(first);
        chain.image.Clear();
        chain.image.Draw(&chain.processing);
        QImage expected(tab.picture->size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        for (int k = 0; k < c.visible; ++k)
            chain.image.DrawColumn(expected, chain.processing.measures.Item(first - 1 + k).points,
                                   c.ColumnCentre(k), c.imageHeight);
        EXPECT_EQ(tab.picture->image(), expected) << "first " << first << ", step " << step;
    }

    QImage whole(c.ColumnCentre(c.count), c.imageHeight, QImage::Format_RGB32);
    whole.fill(Qt::white);
    for (int k = 0; k < c.count; ++k)
        chain.image.DrawColumn(whole, chain.processing.measures.Item(k).points, c.ColumnCentre(k),
                               c.imageHeight);
    chain.image.horizontal->DrawOnBitmap(whole);
    chain.image.vertical->DrawOnBitmap(whole);
    EXPECT_EQ(chain.image.WholeTrace(&chain.processing), whole);
}

TEST(PageCopy, SeismoPagesWithEvenAndOddSteps) {
    ExpectPagesAsDrawnColumnByColumn<tTrcV_HFSG, tTrcP_HFSG, tTrcI_HFSG>(150, 10); // scrolls
    ExpectPagesAsDrawnColumnByColumn<tTrcV_HFSG, tTrcP_HFSG, tTrcI_HFSG>(37, 25);
}

TEST(PageCopy, SpectroPagesWithEvenAndOddSteps) {
    ExpectPagesAsDrawnColumnByColumn<tTrcV_HFSpG, tTrcP_HFSpG, tTrcI_HFSpG>(120, 10);
    ExpectPagesAsDrawnColumnByColumn<tTrcV_HFSpG, tTrcP_HFSpG, tTrcI_HFSpG>(41, 22);
}

} // namespace
