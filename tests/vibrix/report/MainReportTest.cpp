#include "MainReport.h"

#include "RecordCharts.h"
#include "ReportTexts.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

class MainReport : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // The page as the main window builds it for `view`.
    TReportPage build(const ChartView& view, const QString& comment = QString()) {
        charts.Show(view);
        TReportPage page = LoadReportLayout(QStringLiteral("MainReport"));
        MainReportManualBuild(page, charts.Source(view, comment));
        return page;
    }
    // The parameter table of the page's PDF.
    static QString tableText(const TReportPage& page) {
        return PdfTextIn(page, ReportPdf(page), QRectF(20, 844, 240, 180));
    }

    RecordCharts charts;
};

TEST_F(MainReport, PrintsHeaderChartsReadingsAndTheValuesInForce) {
    ChartView view;
    view.Gain = 2.5; // typed and confirmed in the gain edit; the record holds 1
    view.Velocity = 3500;
    ASSERT_EQ(charts.Record.Amp, 1.0);
    const TReportPage page = build(view);
    EXPECT_EQ(page.Find("ResultInfoMemo").Text,
              QStringLiteral("Дата, время:  15.03.2024  10:30:15      № поля:  4      № сваи:  300"));
    const QString text = PdfText(ReportPdf(page));
    EXPECT_TRUE(Words(text).contains(Words(page.Find("ResultInfoMemo").Text))) << text.toStdString();
    const QString table = tableText(page);
    EXPECT_TRUE(Words(text).contains(QStringLiteral("dt = 6,00 мс (10,50 м)")));
    EXPECT_TRUE(Words(text).contains(Words(charts.FreqCursorText)));
    // The charts' own texts, so they are vector drawings and not pictures.
    for (const char* label : {"Сигнал", "Спектр", "t, мс", "f, Гц", "x[t]", "X[f]"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(label))) << label;
    EXPECT_EQ(RowValue(table, "Сигнал"), "1, 2, М");
    EXPECT_EQ(RowValue(table, "Инверсия"), "вкл.");
    EXPECT_EQ(RowValue(table, "Спектр"), "1, 2");
    EXPECT_EQ(RowValue(table, "Вывод спектра"), "частота");
    EXPECT_EQ(RowValue(table, "Частота Fs, Гц"), "50000,0");
    EXPECT_EQ(RowValue(table, "Запись, зн."), "16384");
    EXPECT_EQ(RowValue(table, "Усиление"), "2,500");
    EXPECT_EQ(RowValue(table, "Скорость V, м/с"), "3500,0");
    EXPECT_EQ(RowValue(table, "База, см"), "100,0");
}

TEST_F(MainReport, DisplaySettingsAreNamedAsShown) {
    struct Case {
        std::array<bool, 3> timeShown;
        bool invert;
        std::array<bool, 2> spectra;
        SpectrumAbscissa type;
        const char *signalText, *invertText, *spectrumText, *typeText, *axis;
    };
    const Case cases[] = {
        {{false, false, true},
         false,
         {false, true},
         SpectrumAbscissa::Depth,
         "М",
         "выкл.",
         "2",
         "глубина",
         "H, м"},
        {{false, false, false},
         true,
         {false, false},
         SpectrumAbscissa::Frequency,
         "",
         "вкл.",
         "",
         "частота",
         "f, Гц"},
        {{true, false, true},
         true,
         {true, false},
         SpectrumAbscissa::Depth,
         "1, М",
         "вкл.",
         "1",
         "глубина",
         "X[H]"},
    };
    for (const Case& c : cases) {
        ChartView view;
        view.ChSignalShow = c.timeShown;
        view.InvertSignal = c.invert;
        view.ChSpectrumShow = c.spectra;
        view.SpectrumType = c.type;
        const TReportPage page = build(view);
        const QString table = tableText(page);
        EXPECT_EQ(RowValue(table, "Сигнал"), QString::fromUtf8(c.signalText));
        EXPECT_EQ(RowValue(table, "Инверсия"), QString::fromUtf8(c.invertText));
        EXPECT_EQ(RowValue(table, "Спектр"), QString::fromUtf8(c.spectrumText));
        EXPECT_EQ(RowValue(table, "Вывод спектра"), QString::fromUtf8(c.typeText));
        EXPECT_TRUE(PdfText(ReportPdf(page)).contains(QString::fromUtf8(c.axis))) << c.axis;
    }
}

TEST_F(MainReport, ACommentOfSeveralLinesIsPrintedBelowItsCaption) {
    const QStringList lines{"Свая 12, ростверк", "дефект на 4 м", "повторить замер"};
    const QString text =
        PdfText(ReportPdf(build(ChartView(), lines[0] + "\n" + lines[1] + "\r\n" + lines[2])));
    const QStringList printed = text.split('\n');
    const qsizetype caption = printed.indexOf(QRegularExpression(".*Комментарий:\\s*$"));
    ASSERT_GE(caption, 0) << text.toStdString();
    qsizetype at = caption;
    for (const QString& line : lines) {
        const qsizetype found =
            printed.indexOf(QRegularExpression(".*\\s" + QRegularExpression::escape(line) + "$"), at + 1);
        ASSERT_GT(found, at) << line.toStdString() << "\n" << text.toStdString();
        at = found;
    }
}

TEST_F(MainReport, ColourSquaresShowTheChannelColours) {
    ChartView view;
    view.Colors = {QColor(10, 200, 30), QColor(200, 20, 180), QColor(90, 90, 10)};
    const TReportPage page = build(view);
    const PagePicture picture(page);
    for (int i = 0; i < 3; ++i) {
        const QString square = QStringLiteral("Ch%1ColorShape").arg(i);
        EXPECT_EQ(picture.At(square), view.Colors[std::size_t(i)]) << i;
        EXPECT_EQ(picture.At(square, {-0.5, 0.5}), QColor(Qt::white)) << i; // nothing to its left
    }
    const QImage jpeg = QImage::fromData(ReportJpeg(page), "JPG");
    ASSERT_EQ(jpeg.size(), QSize(1240, 1754)); // A4 at 150 dpi
    const QPoint centre =
        ReportTransform(page, QRectF(jpeg.rect())).map(page.Find("Ch1ColorShape").Place.center()).toPoint();
    const QColor c = jpeg.pixelColor(centre);
    EXPECT_NEAR(c.red(), 200, 30);
    EXPECT_NEAR(c.green(), 20, 30);
    EXPECT_NEAR(c.blue(), 180, 30);
}

// Mean difference of two pictures of one size, 0 (same) .. 255.
double meanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull())
        return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return sum / (double(a.width()) * a.height());
}

TEST_F(MainReport, PrinterPdfAndJpegShowTheSameDrawing) {
    const TReportPage page = build(ChartView());
    const QByteArray pdf = ReportPdf(page);
    // The printer (1200 dpi) and the picture (150 dpi) take the charts' other way of drawing.
    EXPECT_LT(meanDifference(PdfPicture(PrintedPdf(page), 50), PdfPicture(pdf, 50)), 2.5);
    const QImage jpeg = QImage::fromData(ReportJpeg(page), "JPG");
    const QImage rendered = PdfPicture(pdf, 150);
    ASSERT_GE(rendered.height(), jpeg.height()); // the renderer rounds the paper up
    EXPECT_LT(meanDifference(jpeg, rendered.copy(jpeg.rect())), 3.5);
}

TEST_F(MainReport, PreparationFailsWithoutRecordOrObject) {
    TReportPage page = LoadReportLayout(QStringLiteral("MainReport"));
    EXPECT_THROW(MainReportManualBuild(page, TMainReportSource()), TReportError);
    std::erase_if(page.Objects, [](const TReportObject& o) { return o.Name == "AmpMemo"; });
    charts.Show(ChartView());
    EXPECT_THROW(MainReportManualBuild(page, charts.Source(ChartView())), TReportError);
    EXPECT_THROW(LoadReportLayout(QStringLiteral("NoSuchReport")), TReportError);
}

} // namespace
