#include "FTReport.h"

#include "../../support/ScriptedDialogs.h"
#include "DownloadUnit.h"
#include "ReportPreview.h"
#include "ReportTexts.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>

namespace {

class FTReport : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // A picture with a red upper half and a green lower half.
    static QImage picture() {
        QImage image(524, 524, QImage::Format_RGB32);
        image.fill(Qt::red);
        for (int y = 262; y < 524; ++y)
            for (int x = 0; x < 524; ++x)
                image.setPixelColor(x, y, Qt::green);
        return image;
    }

    static TReportPage page() {
        TFTReportSource source;
        source.DateTime = toDateTimeValue(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 15)));
        source.SiteNumber = 4;
        source.PileNumber = 300;
        source.Picture = picture();
        source.TimeText = QStringLiteral("t = 306,60 мс");
        source.FreqText = QStringLiteral("f = 48,8 Гц");
        source.DepthText = QStringLiteral("h = 40,96 м");
        source.Channel = 1;
        source.SampleCount = 16384;
        source.Velocity = 4000;
        source.WindowWidth = 1024;
        TReportPage page = LoadReportLayout(QStringLiteral("FTReport"));
        FTReportManualBuild(page, source);
        return page;
    }
};

TEST_F(FTReport, PrintsThePictureTheReadingsAndTheParameters) {
    const TReportPage p = page();
    EXPECT_EQ(p.Find("ResultInfoMemo").Text,
              QStringLiteral("Дата, время: 15.03.2024  10:30:15      № поля:  4      № сваи:  300"));
    const QByteArray pdf = ReportPdf(p);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(Words(text).contains(Words(p.Find("ResultInfoMemo").Text))) << text.toStdString();
    const QString table = PdfTextIn(p, pdf, QRectF(540, 44, 200, 164));
    const QStringList lines = table.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 8) << table.toStdString();
    EXPECT_EQ(lines.mid(0, 4), QStringList({"Курсор", "t = 306,60 мс", "f = 48,8 Гц", "h = 40,96 м"}));
    EXPECT_EQ(RowValue(table, "Сигнал"), "2");
    EXPECT_EQ(RowValue(table, "Запись, зн."), "16384");
    EXPECT_EQ(RowValue(table, "Скорость V, м/с"), "4000,0");
    EXPECT_EQ(RowValue(table, "Ширина окна, зн."), "1024");

    const PagePicture shown(p);
    EXPECT_EQ(shown.At("FTPicture", {0.5, 0.25}), QColor(Qt::red));
    EXPECT_EQ(shown.At("FTPicture", {0.5, 0.75}), QColor(Qt::green));
    EXPECT_EQ(shown.At("FTPicture", {1.05, 0.75}), QColor(Qt::white));
}

TEST_F(FTReport, PreviewOpensAtWholePageAndSavesPdfAndJpeg) {
    const TReportPage p = page();
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    dialogs.files = {dir.filePath("report.pdf"), dir.filePath("report.jpg"),
                     dir.filePath("missing/report.pdf")};
    bool shown = false;
    dialogs.onExec = [&](QDialog& dialog) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
        EXPECT_NE(preview, nullptr);
        if (!preview)
            return int(QDialog::Rejected);
        auto* widget = preview->findChild<QPrintPreviewWidget*>();
        EXPECT_EQ(widget->zoomMode(), QPrintPreviewWidget::FitInView);
        widget->updatePreview();
        EXPECT_EQ(widget->pageCount(), 1);
        const auto find = [&](const QString& text) {
            for (QAction* a : preview->findChildren<QAction*>())
                if (a->text() == text)
                    return a;
            return static_cast<QAction*>(nullptr);
        };
        QAction* pdf = find(QStringLiteral("Сохранить в PDF"));
        QAction* jpeg = find(QStringLiteral("Сохранить как JPEG"));
        EXPECT_TRUE(pdf && jpeg);
        if (!pdf || !jpeg)
            return int(QDialog::Rejected);
        pdf->trigger();
        jpeg->trigger();
        pdf->trigger(); // into a folder that does not exist
        shown = true;
        return int(QDialog::Accepted);
    };
    ShowReportPreview(dialogs, nullptr, p, {QStringLiteral("Просмотр отчёта: ЧВ-анализ"), {}, {}, {}});
    ASSERT_TRUE(shown);
    ASSERT_EQ(dialogs.requests.size(), 3u);
    EXPECT_EQ(dialogs.requests[0].defaultSuffix, "pdf");
    EXPECT_EQ(dialogs.requests[1].defaultSuffix, "jpg");
    QFile pdf(dir.filePath("report.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(Words(PdfText(pdf.readAll())).contains("Ширина окна, зн. 1024"));
    QImage jpeg;
    ASSERT_TRUE(jpeg.load(dir.filePath("report.jpg"), "JPG"));
    EXPECT_EQ(jpeg.size(), QSize(1240, 1754));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, UserDialogs::Icon::Error);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Не удалось записать файл «%1»: файл или папка не найдены")
                  .arg(QDir::toNativeSeparators(dir.filePath("missing/report.pdf"))));
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/report.pdf")));
}

TEST_F(FTReport, PrintingPaintsTheSamePage) {
    const TReportPage p = page();
    EXPECT_EQ(Words(PdfText(PrintedPdf(p))), Words(PdfText(ReportPdf(p))));
}

} // namespace
