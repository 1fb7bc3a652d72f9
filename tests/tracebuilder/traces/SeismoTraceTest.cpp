#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "TraceRig.h"
#include "TrcI_HFSG.h"
#include "TrcP_HFSG.h"
#include "TrcV_HFSG.h"

namespace {

using SeismoChain = PictureChain<tTrcV_HFSG, tTrcP_HFSG, tTrcI_HFSG>;
constexpr double kDt = 2e-5;

// One period of a sine over the first 20 m (at 2000 m/s): positive lobe 0-10 m, negative 10-20 m.
std::vector<double> Wave() {
    std::vector<double> v(16384, 0.0);
    const std::size_t period = 1000; // 20 ms
    for (std::size_t i = 0; i < period; ++i)
        v[i] = 20000.0 * std::sin(2 * M_PI * double(i) / double(period));
    return v;
}

class SeismoTest : public ::testing::Test {
protected:
    void Build(const tTrc__DataList& list) {
        chain.image.Clear();
        chain.values.Calc(list);
        chain.processing.Calc();
        chain.image.Draw(&chain.processing);
        chain.image.DrawAxes();
    }
    tTrcColumnsCnf& layout() { return chain.image.conf; }

    tAppInt app;
    TabControls tab;
    SeismoChain chain{app, tab};
};

} // namespace

TEST_F(SeismoTest, ColumnLayoutOfTheWindowsPicture) {
    EXPECT_EQ(layout().plotWidth, 933);
    EXPECT_EQ(layout().plotHeight, 629);
    struct Case {
        int n, step, visible;
    } cases[] = {{1, 50, 1}, {17, 50, 17}, {18, 51, 18}, {92, 10, 92}, {93, 10, 93}, {200, 10, 93}};
    for (const Case& c : cases) {
        layout().SetColumnCount(std::uint16_t(c.n));
        EXPECT_EQ(layout().columnStep, c.step) << c.n;
        EXPECT_EQ(layout().columnWidth, c.step) << c.n;
        EXPECT_EQ(layout().visible, c.visible) << c.n;
        EXPECT_EQ(layout().first, 1) << c.n;
        EXPECT_EQ(tab.scroll->maximum(), c.n - c.visible + 1) << c.n;
        EXPECT_EQ(tab.scroll->pageStep(), c.visible) << c.n;
    }
}

TEST_F(SeismoTest, SingleMeasurementIsOneColumnCentredAt45) {
    EXPECT_FALSE(tab.SheetVisible());
    Build({});
    EXPECT_FALSE(tab.SheetVisible()); // an empty list draws no column
    Build(MakeList(1, Wave(), kDt));
    EXPECT_TRUE(tab.SheetVisible());
    EXPECT_EQ(chain.processing.conf.pixelsPerMetre, 12);
    EXPECT_EQ(chain.processing.conf.halfWidth, 25);
    // Centre line from the margin to the bottom; black lobe right of it over 0-10 m, grey lobe
    // left of it over 10-20 m (12 px per metre below the 20-px margin).
    EXPECT_EQ(tab.Pixel(45, 21), kBlack);
    EXPECT_EQ(tab.Pixel(45, 648), kBlack);
    EXPECT_EQ(tab.Pixel(55, 20 + 4 * 12), kBlack);
    EXPECT_EQ(tab.Pixel(35, 20 + 4 * 12), kWhite);
    EXPECT_EQ(tab.Pixel(35, 20 + 16 * 12), kGrey);
    // The grey lobe is outlined in black (at 17 m, clear of the depth labels).
    const int row = 20 + 17 * 12;
    int edge = 21;
    while (edge < 45 && tab.Pixel(edge, row) == kWhite)
        ++edge;
    EXPECT_LT(edge, 28);
    EXPECT_EQ(tab.Pixel(edge, row), kBlack);
    EXPECT_EQ(tab.Pixel(edge + 2, row), kGrey);
    EXPECT_EQ(tab.Pixel(55, 20 + 16 * 12), kWhite);
    EXPECT_EQ(tab.Pixel(55, 20 + 31 * 12), kWhite); // silent below 20 m
    EXPECT_EQ(tab.Pixel(100, 20 + 4 * 12), kWhite); // nothing beyond the one column
}

TEST_F(SeismoTest, ValuesConvertTimeToDepthAndLeaveTheInputUntouched) {
    tTrc__DataList list = MakeList(2, Wave(), kDt);
    app.velocity = 4000;
    chain.values.Calc(list);
    const auto& curve = chain.values.measures.Item(1).points;
    ASSERT_EQ(curve.count(), 16384);
    EXPECT_NEAR(curve.Item(500)[1], 500 * double(float(kDt)) * 4000 / 2, 1e-9);
    EXPECT_NEAR(curve.Item(250)[0], 1.0, 1e-12); // normalised copy
    EXPECT_DOUBLE_EQ(list[1]->points.Item(250)[0], 20000.0);
    // A second computation sees the same raw input and gives the same curve.
    chain.values.Calc(list);
    EXPECT_NEAR(chain.values.measures.Item(1).points.Item(250)[0], 1.0, 1e-12);
}

TEST_F(SeismoTest, GainGrowsUntilTheFirstSampleBeyond55ThenFreezes) {
    app.ku = 1000; // c = 0.1 per sample
    chain.values.Calc(MakeList(1, std::vector<double>(2000, -7.0), kDt));
    const auto& curve = chain.values.measures.Item(0).points;
    EXPECT_NEAR(curve.Item(10)[0], -std::exp(1.0), 1e-9);
    EXPECT_NEAR(curve.Item(40)[0], -std::exp(4.0), 1e-9);   // 54.6, still below
    EXPECT_NEAR(curve.Item(41)[0], -std::exp(4.1), 1e-9);   // 60.3, saturates
    EXPECT_NEAR(curve.Item(1999)[0], -std::exp(4.1), 1e-9); // frozen
    app.ku = 0;
    chain.values.Calc(MakeList(1, std::vector<double>(2000, -7.0), kDt));
    EXPECT_DOUBLE_EQ(chain.values.measures.Item(0).points.Item(1999)[0], -1.0);
}

TEST_F(SeismoTest, ProcessingNormalisesTheCutPartToTheColumn) {
    std::vector<double> v = Wave();
    v[5000] = 80000.0; // deeper than 50 m at 2000 m/s: cut off
    chain.values.Calc(MakeList(1, v, kDt));
    chain.processing.Calc();
    const auto& entry = chain.processing.measures.Item(0).points;
    // Points up to 50 m: t <= 0.05 s.
    std::size_t expected = 0;
    while (expected < 16384 && double(expected) * double(float(kDt)) * 1000 <= 50)
        ++expected;
    EXPECT_EQ(entry.count(), expected);
    int largest = 0;
    for (const TPoint& p : entry)
        largest = std::max(largest, std::abs(p.X));
    EXPECT_EQ(largest, 25);
    EXPECT_EQ(entry.Item(500).Y, int(500 * double(float(kDt)) * 1000 * 12));
}

TEST_F(SeismoTest, TrackBarAtFiveMetresStretchesTheColumns) {
    chain.values.Calc(MakeList(1, Wave(), kDt));
    tab.track->setValue(5);
    EXPECT_EQ(layout().depthMax, 5);
    EXPECT_TRUE(chain.processing.conf.syn.changed()); // processing marked, not the values
    EXPECT_FALSE(chain.values.conf.syn.changed());
    chain.processing.Calc();
    EXPECT_EQ(chain.processing.conf.pixelsPerMetre, 629 / 5);
    int deepest = 0;
    for (const TPoint& p : chain.processing.measures.Item(0).points)
        deepest = std::max(deepest, p.Y);
    EXPECT_LE(deepest, 5 * 125);
    EXPECT_GE(deepest, 5 * 125 - 2);
}

TEST_F(SeismoTest, ManyMeasurementsScrollToTheLastPage) {
    tTrc__DataList list = MakeList(150, std::vector<double>(16384, 0.0), kDt);
    list[149] = MakeChannel(Wave(), kDt); // only the last one has a signal
    Build(list);
    EXPECT_EQ(layout().visible, 93);
    EXPECT_EQ(tab.scroll->maximum(), 58);
    EXPECT_EQ(tab.Pixel(20 + 5 + 92 * 10 + 3, 20 + 4 * 12), kWhite);
    tab.scroll->setValue(tab.scroll->maximum()); // as the user drags it
    EXPECT_EQ(layout().first, 58);
    EXPECT_TRUE(chain.image.conf.syn.changed());
    Build(list);
    // The last measurement is the last shown column.
    EXPECT_EQ(tab.Pixel(20 + 5 + 92 * 10 + 3, 20 + 4 * 12), kBlack);
    EXPECT_EQ(tab.Pixel(20 + 5 + 92 * 10 - 3, 20 + 16 * 12), kGrey);
}

TEST_F(SeismoTest, ScrollBarAgreesWithFirstAfterReprocessing) {
    Build(MakeList(120, Wave(), kDt));
    tab.scroll->setValue(20);
    ASSERT_EQ(layout().first, 20);
    tab.track->setValue(30);
    chain.processing.Calc();
    EXPECT_EQ(layout().first, 20);
    EXPECT_EQ(tab.scroll->value(), 20);
    // A new number of measurements starts again from the first.
    chain.values.Calc(MakeList(100, Wave(), kDt));
    chain.processing.Calc();
    EXPECT_EQ(layout().first, 1);
    EXPECT_EQ(tab.scroll->value(), 1);
}

TEST_F(SeismoTest, SilentAndPeriodlessMeasurements) {
    tTrc__DataList list;
    list.push_back(MakeChannel(std::vector<double>(16384, 0.0), kDt));
    list.push_back(MakeChannel(Wave(), kDt));
    list[1]->samplePeriod = 0.0f; // the picture needs only the points' times
    Build(list);
    // The silent one is its centre line only.
    EXPECT_EQ(tab.Pixel(45, 20 + 4 * 12), kBlack);
    EXPECT_EQ(tab.Pixel(46, 20 + 4 * 12), kWhite);
    EXPECT_EQ(tab.Pixel(44, 20 + 4 * 12), kWhite);
    // The one without a sample period is drawn all the same.
    EXPECT_EQ(chain.processing.measures.Item(1).points.count(),
              chain.processing.measures.Item(0).points.count());
    EXPECT_EQ(tab.Pixel(105, 20 + 4 * 12), kBlack);
    EXPECT_EQ(tab.Pixel(85, 20 + 16 * 12), kGrey);
}

// The lobes are the polygons of the column: from the top of the centre line through (x0 + X, Y)
// for X <= 0 (left) or X > 0 (right), the other side staying on the centre line, to its bottom;
// grey and black, filled and outlined in 1-px black.
TEST_F(SeismoTest, LobesAreThePixelsOfTheColumnPolygons) {
    // Many sign changes within every depth range.
    std::vector<double> v(16384);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = 20000.0 * std::sin(2 * M_PI * double(i) / 37.0) * std::cos(2 * M_PI * double(i) / 511.0);
    const tTrc__DataList list = MakeList(3, v, kDt);
    chain.values.Calc(list);
    for (int depth : {5, 20, 50}) {
        tab.track->setValue(depth);
        chain.processing.Calc();
        chain.image.Clear();
        chain.image.Draw(&chain.processing);

        QImage expected(tab.picture->image().size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        QPainter painter(&expected);
        const int top = app.marginTop, bottom = layout().imageHeight;
        for (int c = 0; c < layout().visible; ++c) {
            const int x0 = layout().ColumnCentre(c);
            const IArray<TPoint>& points = chain.processing.measures.Item(std::size_t(c)).points;
            QPolygon left, right;
            for (const TPoint& p : points) {
                left << QPoint(p.X > 0 ? x0 : x0 + p.X, p.Y + top);
                right << QPoint(p.X > 0 ? x0 + p.X : x0, p.Y + top);
            }
            left[0] = right[0] = QPoint(x0, top);
            left[left.size() - 1] = right[right.size() - 1] = QPoint(x0, bottom);
            painter.setBrush(QColor(232, 232, 232));
            painter.drawPolygon(left);
            painter.setBrush(Qt::black);
            painter.drawPolygon(right);
            painter.drawLine(x0, top, x0, bottom);
        }
        painter.end();
        const QImage& drawn = tab.picture->image();
        int differing = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                differing += drawn.pixel(x, y) != expected.pixel(x, y);
        EXPECT_EQ(differing, 0) << depth << " m";
    }
}

TEST_F(SeismoTest, VelocityFromTheFilesSetsEachCurvesDepths) {
    tTrc__DataList list = MakeList(2, Wave(), kDt);
    list[0]->waveVelocity = 4000.0f;
    list[1]->waveVelocity = 0.0f; // none in its file: the one velocity of the edits
    app.velocityFromFiles = true;
    chain.values.Calc(list);
    const double t = 1000 * double(float(kDt));
    EXPECT_DOUBLE_EQ(chain.values.measures.Item(0).points.data()[1000][1], t * 4000 * 0.5);
    EXPECT_DOUBLE_EQ(chain.values.measures.Item(1).points.data()[1000][1], t * 2000 * 0.5);
}

TEST_F(SeismoTest, ChainMembersAreRequired) {
    EXPECT_EQ(ErrorCode([] { tTrcV_HFSG orphan(nullptr); }), tTrcError::MissingObject);
    EXPECT_EQ(ErrorCode([] { tTrcP_HFSG orphan(nullptr); }), tTrcError::MissingObject);
    EXPECT_EQ(ErrorCode([&] { tTrcI_HFSG orphan(&app, nullptr, tab.scroll, tab.track, tab.sheet); }),
              tTrcError::MissingObject);
    EXPECT_EQ(ErrorCode([&] { tTrcI_HFSG orphan(nullptr, tab.picture, tab.scroll, tab.track, tab.sheet); }),
              tTrcError::MissingObject);
    // A processing object that was never attached has no values to read.
    tTrcP_HFSG loose(&chain.image);
    EXPECT_EQ(ErrorCode([&] { loose.Calc(); }), tTrcError::MissingObject);
}
