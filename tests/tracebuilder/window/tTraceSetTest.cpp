// The window's trace set: both chains on their tabs, driven by one server in the window's order.
#include "tTraceSet.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A pile-head signal: a pulse at t = 0 and its echo after `echo` seconds, sampled every dt.
ptTrc__Data Channel(double echo, double dt = 2e-5) {
    auto c = std::make_unique<tTrc__Data>();
    c->channel = 0;
    c->samplePeriod = float(dt);
    c->waveVelocity = 4000;
    c->pointCount = 16384;
    c->points.SetCount(16128);
    for (std::size_t i = 0; i < 16128; ++i) {
        const double t = double(i) * dt;
        const double pulse = [&](double s) {
            return s >= 0 && s < 4e-4 ? std::sin(M_PI * s / 4e-4) : 0.0;
        }(t);
        const double late = t >= echo && t < echo + 4e-4 ? 0.5 * std::sin(M_PI * (t - echo) / 4e-4) : 0.0;
        c->points.Item(i)[0] = 1000 * (pulse + late);
        c->points.Item(i)[1] = t;
    }
    return c;
}

int DarkPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

struct Window {
    Window()
        : seismo(tabs, "СЕЙСМО Трасса", 1, 1, 1), spectro(tabs, "СПЕКТРО Трасса", 0, 90, 10),
          set(&app, seismo, spectro) {}
    tAppInt app;
    QTabWidget tabs;
    tTraceTab seismo, spectro;
    tTraceSet set;
};

TEST(tTraceSet, ServerDrivesSeismoThenSpectro) {
    Window w;
    ASSERT_EQ(w.set.server.list.size(), 2u);
    EXPECT_EQ(w.set.server.list[0], &w.set.seismoValues);
    EXPECT_EQ(w.set.server.list[1], &w.set.spectroValues);
    EXPECT_EQ(w.seismo.picture->image().size(), tTraceTab::kPictureSize);
    EXPECT_EQ(w.seismo.track->value(), 50);
    EXPECT_EQ(w.spectro.track->value(), 50);
}

TEST(tTraceSet, BuildDrawsBothPicturesAndSavesWholeTraces) {
    Window w;
    tTrc__DataList checked;
    checked.push_back(Channel(0.006));
    checked.push_back(Channel(0.004));
    EXPECT_FALSE(w.set.server.built);
    w.set.Build(checked);
    EXPECT_TRUE(w.set.server.built);
    const int seismoDark = DarkPixels(w.seismo.picture->image());
    EXPECT_GT(seismoDark, 100);
    EXPECT_GT(DarkPixels(w.spectro.picture->image()), 100);

    // A second press builds again from scratch: the same picture.
    w.set.Build(checked);
    EXPECT_EQ(DarkPixels(w.seismo.picture->image()), seismoDark);

    QTemporaryDir dir;
    ASSERT_TRUE(w.set.SaveSeismo(dir.filePath("s.png")));
    ASSERT_TRUE(w.set.SaveSpectro(dir.filePath("f.bmp")));
    const QImage saved(dir.filePath("s.png"), "BMP"); // BMP whatever the extension
    EXPECT_FALSE(saved.isNull());
    // Without the title block (a bitmap's is an option, off at first) the bitmap is the whole
    // trace, as wide as its columns make it.
    const QImage whole = w.set.seismoImage.WholeTrace(&w.set.seismoProcessing);
    ASSERT_EQ(whole.height(), tTraceTab::kPictureSize.height());
    EXPECT_EQ(saved.size(), whole.size());
    EXPECT_EQ(saved.copy(0, saved.height() - whole.height(), whole.width(), whole.height()), whole);
    EXPECT_FALSE(w.set.SaveSeismo("/proc/no-such-place/s.bmp"));
}

TEST(tTraceSet, PollRedrawsOnlyAfterAChange) {
    Window w;
    tTrc__DataList checked;
    checked.push_back(Channel(0.006));
    w.set.Build(checked);
    const QImage before = w.seismo.picture->image().copy();
    w.set.Poll(checked);
    EXPECT_EQ(w.seismo.picture->image(), before);
    w.app.velocity = 4000;
    w.set.seismoValues.config->syn.SetChanged();
    w.set.Poll(checked);
    EXPECT_NE(w.seismo.picture->image(), before); // the echo moved twice as deep
}

TEST(tTraceSet, AVelocityThatIsNotPositiveDrawsNothingBelowTheHead) {
    Window w;
    tTrc__DataList checked;
    checked.push_back(Channel(0.006));
    w.app.velocity = 4000;
    w.set.Build(checked);
    const int sound = DarkPixels(w.seismo.picture->image());
    for (double v : {-1e9, -4000.0}) {
        w.app.velocity = v; // typed by mistake: no picture, and no endless drawing either
        w.set.Build(checked);
        EXPECT_LT(DarkPixels(w.seismo.picture->image()), sound) << v;
    }
}

} // namespace
