#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QFile>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <qcustomplot.h>

#include "TraceRig.h"
#include "TrcI_CHRTSG.h"
#include "TrcI_CHRTSpG.h"
#include "TrcI_HFSG.h"
#include "TrcI_HFSpG.h"
#include "TrcP_CHRTSG.h"
#include "TrcP_CHRTSpG.h"
#include "TrcP_HFSG.h"
#include "TrcP_HFSpG.h"
#include "TrcV_CHRTSG.h"
#include "TrcV_CHRTSpG.h"
#include "TrcV_HFSG.h"
#include "TrcV_HFSpG.h"
#include "tTrace_server.h"

namespace {

constexpr double kDt = 2e-5;
using SeismoChain = PictureChain<tTrcV_HFSG, tTrcP_HFSG, tTrcI_HFSG>;
using SpectroChain = PictureChain<tTrcV_HFSpG, tTrcP_HFSpG, tTrcI_HFSpG>;

// The main window's two traces and the single view's two charts, each kind with its server.
class ServerTest : public ::testing::Test {
protected:
    ServerTest() {
        group.addButton(&metres);
        group.addButton(&other);
        metres.setChecked(true);
        seismogram.addGraph();
        spectrum.addGraph();
        seismogramV.Attach(&seismogramP);
        spectrumV.Attach(&spectrumP);
        main.Add(&seismo.values);
        main.Add(&spectro.values);
        view.Add(&seismogramV);
        view.Add(&spectrumV);
    }

    // What the build button does.
    void BuildButton(const tTrc__DataList& list) {
        main.node.SetChanged();
        main.Reset();
        main.BuildChanged(list);
    }
    // What showing a channel in the single view does.
    void ShowInView() {
        view.built = true;
        view.node.SetChanged();
        view.Poll(shown);
    }
    // Puts a mark into every result, so that a recomputation shows as the mark's loss.
    void MarkResults() {
        seismo.values.measures.Item(0).points.Item(3)[0] = 42;
        spectro.values.depthSpectra.Item(0).points.Item(3)[0] = 42;
        seismogram.graph(0)->addData(-1, 42);
        spectrum.graph(0)->addData(-1, 42);
    }
    bool SeismoRecomputed() { return seismo.values.measures.Item(0).points.Item(3)[0] != 42; }
    bool SpectroRecomputed() { return spectro.values.depthSpectra.Item(0).points.Item(3)[0] != 42; }
    static bool ChartRecomputed(QCustomPlot& chart) { return chart.graph(0)->data()->at(0)->key != -1; }

    tAppInt app;
    TabControls seismoTab, spectroTab;
    SeismoChain seismo{app, seismoTab};
    SpectroChain spectro{app, spectroTab};
    tTrace_server main{&app};

    QRadioButton metres{"Метры"}, other{"Герцы"};
    QButtonGroup group;
    QCustomPlot seismogram, spectrum;
    tTrcI_CHRTSG seismogramI{&app, &seismogram, &group};
    tTrcP_CHRTSG seismogramP{&seismogramI};
    tTrcV_CHRTSG seismogramV{&app, &group};
    tTrcI_CHRTSpG spectrumI{&app, &spectrum, &group};
    tTrcP_CHRTSpG spectrumP{&spectrumI};
    tTrcV_CHRTSpG spectrumV{&app, &group};
    tTrace_server view{&app};
    tTrc__DataList shown = MakeList(1, Sine(700, 3000, kDt, 16384), kDt);
};

std::vector<double> Wave(double sign) {
    std::vector<double> v(16384, 0.0);
    for (std::size_t i = 0; i < 1000; ++i)
        v[i] = sign * std::sin(2 * M_PI * double(i) / 1000.0);
    return v;
}

} // namespace

TEST_F(ServerTest, BuildButtonDrawsBothTraces) {
    BuildButton(MakeList(3, Wave(1), kDt));
    EXPECT_TRUE(main.built);
    EXPECT_FALSE(main.node.NeedsUpdate());
    EXPECT_TRUE(seismoTab.SheetVisible());
    EXPECT_TRUE(spectroTab.SheetVisible());
    EXPECT_EQ(seismoTab.Pixel(45 + 10, 20 + 4 * 12), kBlack);
    EXPECT_EQ(spectroTab.Pixel(45, 20 + 31 * 12), kBlack);
    EXPECT_EQ(seismoTab.Pixel(900, 80), kRed);
}

TEST_F(ServerTest, ScrollingBeforeTheFirstBuildChangesNothingAfterItThePictureFollows) {
    tTrc__DataList list = MakeList(100, Wave(1), kDt);
    list[99] = MakeChannel(Wave(-1), kDt);
    seismoTab.scroll->setValue(5);
    main.Poll(list);
    EXPECT_EQ(seismoTab.Pixel(45, 21), kWhite);
    EXPECT_FALSE(main.built);

    BuildButton(list);
    EXPECT_EQ(seismoTab.scroll->value(), 1); // a new count starts at the first measurement
    const int lastColumn = 20 + 5 + 92 * 10;
    EXPECT_EQ(seismoTab.Pixel(lastColumn + 3, 20 + 4 * 12), kBlack);
    seismoTab.scroll->setValue(seismoTab.scroll->maximum());
    EXPECT_EQ(seismoTab.Pixel(lastColumn + 3, 20 + 4 * 12), kBlack); // not yet redrawn
    MarkResults();
    main.Poll(list);
    // Redrawn only: the last column now shows the inverted wave, the values were kept.
    EXPECT_EQ(seismoTab.Pixel(lastColumn - 3, 20 + 4 * 12), kGrey);
    EXPECT_EQ(seismoTab.Pixel(lastColumn + 3, 20 + 4 * 12), kWhite);
    EXPECT_FALSE(SeismoRecomputed());
    EXPECT_FALSE(SpectroRecomputed());
    EXPECT_FALSE(main.node.NeedsUpdate());
}

TEST_F(ServerTest, VelocityRecomputesFourChainsAndKuTwo) {
    const tTrc__DataList list = MakeList(2, Wave(1), kDt);
    BuildButton(list);
    ShowInView();
    ASSERT_EQ(seismogram.graph(0)->dataCount() > 0, true);

    // Enter in a velocity edit: the binding marks the four values sets.
    MarkResults();
    for (tSYN* s :
         {&seismogramV.conf.syn, &spectrumV.conf.syn, &seismo.values.conf.syn, &spectro.values.conf.syn})
        s->SetChanged();
    main.Poll(list);
    view.Poll(shown);
    EXPECT_TRUE(SeismoRecomputed());
    EXPECT_TRUE(SpectroRecomputed());
    EXPECT_TRUE(ChartRecomputed(seismogram));
    EXPECT_TRUE(ChartRecomputed(spectrum));

    // Enter in a gain edit: the seismo trace and the single seismogram only.
    MarkResults();
    seismogramV.conf.syn.SetChanged();
    seismo.values.conf.syn.SetChanged();
    main.Poll(list);
    view.Poll(shown);
    EXPECT_TRUE(SeismoRecomputed());
    EXPECT_FALSE(SpectroRecomputed());
    EXPECT_TRUE(ChartRecomputed(seismogram));
    EXPECT_FALSE(ChartRecomputed(spectrum));
    EXPECT_FALSE(main.node.NeedsUpdate());
    EXPECT_FALSE(view.node.NeedsUpdate());
}

TEST_F(ServerTest, TrackBarReprocessesWithoutRecomputingValues) {
    const tTrc__DataList list = MakeList(2, Wave(1), kDt);
    BuildButton(list);
    MarkResults();
    spectroTab.track->setValue(10);
    main.Poll(list);
    EXPECT_FALSE(SpectroRecomputed());
    EXPECT_EQ(spectro.processing.conf.pixelsPerMetre, 629 / 10);
    EXPECT_EQ(spectroTab.Pixel(900, 20 + 62 * 2), kRed); // grid line at 2 m on the new scale
}

TEST_F(ServerTest, ErrorEndsThePassAndTheMarksStay) {
    app.base = 0; // the horizontal axis has an empty range
    EXPECT_EQ(ErrorCode([&] { BuildButton(MakeList(2, Wave(1), kDt)); }), tTrcError::InvalidValue);
    EXPECT_TRUE(main.node.NeedsUpdate());
    EXPECT_EQ(spectro.values.depthSpectra.count(), 0); // never reached
    app.base = 1;
    main.Poll(MakeList(2, Wave(1), kDt));
    EXPECT_FALSE(main.node.NeedsUpdate());
    EXPECT_EQ(spectro.values.depthSpectra.count(), 2);
    EXPECT_EQ(seismoTab.Pixel(900, 80), kRed);
}

TEST_F(ServerTest, SavedBitmapHoldsEveryColumnAsBmp) {
    QTemporaryDir dir;
    const QString name = dir.filePath("trace.png");
    EXPECT_TRUE(seismo.image.SaveToFile(&seismo.processing, name)); // no entries yet: nothing
    EXPECT_FALSE(QFile::exists(name));

    tTrc__DataList list = MakeList(200, Wave(1), kDt);
    BuildButton(list);
    ASSERT_TRUE(seismo.image.SaveToFile(&seismo.processing, name));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), QByteArray("BM"));
    seismo.image.titleOnBitmap = true;
    ASSERT_TRUE(seismo.image.SaveToFile(&seismo.processing, name));
    const QImage saved(name, "BMP");
    EXPECT_EQ(saved.width(), 2025);
    // Under the title block, the trace as tall as the picture.
    const int top = saved.height() - 649;
    EXPECT_GT(top, 30);
    EXPECT_EQ(saved.copy(0, top, 2025, 649), seismo.image.WholeTrace(&seismo.processing));
    // The 200th column is drawn although only 93 are shown; the depth grid spans the bitmap.
    const int last = 20 + 5 + 199 * 10;
    EXPECT_EQ(saved.pixel(last + 3, top + 20 + 4 * 12), kBlack);
    EXPECT_EQ(saved.pixel(last, top + 648), kBlack);
    EXPECT_EQ(saved.pixel(2020, top + 80), kRed);

    EXPECT_FALSE(spectro.image.SaveToFile(&spectro.processing, dir.filePath("missing/dir/x.bmp")));
}

TEST_F(ServerTest, PrintingGivesOneLandscapePageWithTheTrace) {
    BuildButton(MakeList(30, Wave(1), kDt));
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("trace.pdf"));
    ASSERT_TRUE(seismo.image.Print(&seismo.processing, printer));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QFile pdf(dir.filePath("trace.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
    EXPECT_TRUE(bytes.contains("/Subtype /Image"));
    const int box = bytes.indexOf("/MediaBox [");
    ASSERT_GE(box, 0);
    const QList<QByteArray> dims = bytes.mid(box + 11, 40).split(']').first().split(' ');
    ASSERT_GE(dims.size(), 4);
    EXPECT_GT(dims[2].toDouble(), dims[3].toDouble());
}
