// The trace pictures as the engineer reads them: every column labelled and named where it
// stands, on screen and in the saved picture; the point under the pointer read out; the
// pictures as large as the window, the depth bar beside their depth axis.
#include "TraceWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <cmath>

#include "tTraceSet.h"

namespace {

// Centres of the runs of dark pixels across the rows top ... bottom - 1, runs closer than 4 px
// taken as one (the digits of one label).
std::vector<double> DarkRuns(const QImage& image, int top, int bottom) {
    std::vector<double> centres;
    int first = -1, last = -100;
    for (int x = 0; x < image.width(); ++x) {
        bool dark = false;
        for (int y = top; y < bottom && !dark; ++y)
            dark = qGray(image.pixel(x, y)) < 128;
        if (!dark)
            continue;
        if (x - last >= 4) {
            if (first >= 0)
                centres.push_back((first + last) / 2.0);
            first = x;
        }
        last = x;
    }
    if (first >= 0)
        centres.push_back((first + last) / 2.0);
    return centres;
}

// The pointer moved over `widget` to `at`.
void MoveOver(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void ExpectUnderTheColumns(const std::vector<double>& runs, const tTrcColumnsCnf& c, const char* where) {
    ASSERT_EQ(runs.size(), std::size_t(c.count)) << where;
    for (int i = 0; i < c.count; ++i)
        EXPECT_NEAR(runs[std::size_t(i)], c.ColumnCentre(i), 2.5) << where << ", column " << i + 1;
}

// The column numbers and the names stand over their columns on screen and in the saved picture.
void ExpectLabelledColumns(const QStringList& files, int columns) {
    MeasurementFolder folder(files);
    QTemporaryDir out;
    TraceWindow w(folder.path());
    w.click("BitBtn__Make_trace");
    const tTrcColumnsCnf& c = w.form->traces().seismoImage.conf;
    ASSERT_EQ(c.count, columns);
    const QImage screen = w.picture("Image__Seysmo_trace");
    const int marginTop = w.form->app().marginTop;
    ExpectUnderTheColumns(DarkRuns(screen, 0, marginTop), c, "numbers on screen");
    ExpectUnderTheColumns(DarkRuns(screen, marginTop, c.ColumnsTop()), c, "names on screen");

    w.dialogs.files = {out.filePath("t.png")};
    w.click("BitBtn__Save_seysmo_trace");
    const QImage saved(out.filePath("t.png"));
    const QImage whole = w.form->traces().seismoImage.WholeTrace(&w.form->traces().seismoProcessing);
    const int band = saved.height() - whole.height(); // none: the title block is asked for by its box
    ASSERT_EQ(band, 0);
    ExpectUnderTheColumns(DarkRuns(saved, band, band + marginTop), c, "numbers in the saved picture");
    ExpectUnderTheColumns(DarkRuns(saved, band + marginTop, band + c.ColumnsTop()), c,
                          "names in the saved picture");
}

TEST(TForm1Labels, SixColumnsAreNumberedAndNamedWhereTheyStand) {
    ExpectLabelledColumns({"f1_001.ssm", "f1_002.ssm", "f2_005.ssm"}, 6);
}

TEST(TForm1Labels, EightColumnsAreNumberedAndNamedWhereTheyStand) {
    ExpectLabelledColumns({"f1_001.ssm", "f1_002.ssm", "f2_005.ssm", "f2_006.ssm"}, 8);
}

TEST(TForm1Labels, ThePointerOverAPictureOrAChartIsReadOut) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.click("BitBtn__Make_trace");
    auto* picture = w.find<TracePicture>("Image__Spectr_trace");
    const tTrcColumnsCnf& c = w.form->traces().spectroImage.conf;
    const QPoint at(c.ColumnCentre(1), c.ColumnsTop() + 10 * c.PixelsPerMetre());
    MoveOver(picture, at);
    EXPECT_EQ(w.find<QLabel>("Label__Spectr_readout")->text(),
              "Глубина: 10,0 м    Столбец 2: поле 1, свая 1, канал 2");
    EXPECT_TRUE(picture->tooltipAt(at).startsWith("Файл: f1_001.ssm\nПоле: 1\nСвая: 1\nКанал: 2\nДата: "));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(picture, &leave);
    EXPECT_TRUE(w.find<QLabel>("Label__Spectr_readout")->text().isEmpty());

    w.clickLine(0);
    w.tick();
    auto* chart = w.find<QCustomPlot>("Chart__Single_file__Spectr");
    const QRect plot = chart->axisRect()->rect();
    MoveOver(chart, plot.center());
    auto* readout = w.find<QLabel>("Label__Single_file_readout");
    const double depth = chart->xAxis->pixelToCoord(plot.center().x());
    // The amplitude is the curve's at the pointer's depth, whatever the pointer's height: that
    // of the nearer of the points around it, told to three digits.
    const auto after = chart->graph(0)->data()->findBegin(depth, false);
    const QString expected = "Глубина: " + QLocale().toString(depth, 'f', 2) + " м    Амплитуда: ";
    const double told = QLocale().toDouble(readout->text().mid(expected.size()));
    const auto near = [told](double v) { return std::fabs(told - v) <= std::fabs(v) * 0.006; };
    EXPECT_TRUE(near(after->value) || near((after - 1)->value)) << readout->text().toStdString();
    MoveOver(chart, plot.center() + QPoint(0, plot.height() / 3));
    EXPECT_TRUE(readout->text().startsWith(expected));
    QApplication::sendEvent(chart, &leave);
    EXPECT_TRUE(readout->text().isEmpty());
}

// The handle's centre at a value of the track bar, in the picture's rows.
int LevelInPicture(QSlider* track, int value, QWidget* picture) {
    QStyleOptionSlider option;
    option.initFrom(track);
    option.orientation = Qt::Vertical;
    option.minimum = track->minimum();
    option.maximum = track->maximum();
    option.upsideDown = !track->invertedAppearance();
    option.tickPosition = track->tickPosition();
    const QRect groove =
        track->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, track);
    const QRect handle =
        track->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, track);
    const int pos = QStyle::sliderPositionFromValue(option.minimum, option.maximum, value,
                                                    groove.height() - handle.height(), option.upsideDown);
    return track->mapTo(picture->window(), QPoint(0, groove.top() + pos + handle.height() / 2)).y() -
           picture->mapTo(picture->window(), QPoint()).y();
}

TEST(TForm1Labels, ThePictureFollowsTheWindowAndTheDepthBarItsAxis) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.click("BitBtn__Make_trace");
    w.tabs()->setCurrentIndex(1);
    w.form->resize(1300, 900);
    w.form->show();
    QApplication::processEvents();
    auto* picture = w.find<TracePicture>("Image__Seysmo_trace");
    w.tick();
    const tTrcColumnsCnf& c = w.form->traces().seismoImage.conf;
    EXPECT_GT(picture->width(), 1100);
    EXPECT_EQ(c.imageWidth, picture->width());
    EXPECT_EQ(c.imageHeight, picture->height());
    EXPECT_EQ(w.picture("Image__Seysmo_trace").size(), picture->size());

    w.form->resize(1000, 700);
    QApplication::processEvents();
    w.tick();
    EXPECT_LT(picture->width(), 950);
    EXPECT_EQ(c.imageWidth, picture->width());
    auto* track = w.find<QSlider>("TrackBar__Seysmo_trace");
    const int perMetre = c.plotHeight / 50; // the picture's scale at 50 m
    for (int depth : {5, 25, 50})
        EXPECT_NEAR(LevelInPicture(track, depth, picture), c.ColumnsTop() + depth * perMetre, 1) << depth;
}

} // namespace
