// The help tool writes an A4 PDF with embedded fonts that a PDF reader turns back into the
// guide's words, a contents page whose numbers are the pages the headings stand on, and
// pictures only when they exist (or a marked box when asked for).
#include "HelpPdf.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString Output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of page `page` (from 1), or of the whole file for 0, with runs of spaces joined;
// only what lies on the A4 sheet.
QString PageText(const QString& pdf, int page = 0) {
    QStringList args{"-layout", "-x", "0", "-y", "0", "-W", "595", "-H", "842"};
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    args << pdf << "-";
    return Output("pdftotext", args).replace(QRegularExpression("[ \\t]+"), " ");
}

int Pages(const QString& pdf) {
    const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(Output("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

class HelpPdfTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    helpdoc::PdfRequest Request(const QString& markdown) {
        QFile f(dir.filePath("guide.md"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(markdown.toUtf8());
        f.close();
        helpdoc::PdfRequest r;
        r.markdownFile = f.fileName();
        r.pictureRoot = dir.path();
        r.pdfFile = dir.filePath("guide.pdf");
        return r;
    }
};

TEST_F(HelpPdfTest, GuideBecomesA4PagesWithEmbeddedCyrillicFonts) {
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(dir.filePath("shot.png")));
    QString filler;
    for (int i = 0; i < 80; ++i)
        filler += QStringLiteral("Строка пояснения номер %1 о курсорах и глубине.\n\n").arg(i);
    const auto r = Request(QStringLiteral("# Руководство по сваям\n\nВведение.\n\n"
                                          "## Измерение и проект\n\n| Поле | Значение |\n|---|---|\n"
                                          "| № сваи | 12 |\n\n![Окно](shot.png)\n\n`vibrix-cli list`\n\n"
                                          "```\ntracebuilder-cli traces /media/card/site7 --velocity 4000 "
                                          "--depth 20 --seismo seismo.bmp --spectro spectro.bmp --ku 0,5 "
                                          "--base 2 КонецДлиннойСтроки\n```\n\n") +
                           filler + QStringLiteral("## Сообщения программы\n\nКонец.\n"));
    const helpdoc::PdfResult result = helpdoc::WriteHelpPdf(r);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_TRUE(result.missingPictures.isEmpty());

    EXPECT_EQ(Pages(r.pdfFile), result.pageCount);
    EXPECT_GE(result.pageCount, 3);
    EXPECT_TRUE(
        Output("pdfinfo", {r.pdfFile})
            .contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)")));

    const QString all = PageText(r.pdfFile);
    for (const char* text :
         {"Руководство по сваям", "Содержание", "Измерение и проект", "№ сваи", "vibrix-cli list",
          "Сообщения программы", "Строка пояснения номер 79", "КонецДлиннойСтроки"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(text))) << text;

    // Every font is embedded, so the page reads the same on a laptop without DejaVu.
    const QStringList fonts = Output("pdffonts", {r.pdfFile}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& line : fonts)
        EXPECT_TRUE(line.contains(QRegularExpression("\\byes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$")))
            << line.toStdString();
}

TEST_F(HelpPdfTest, ContentsGiveThePageEachHeadingStandsOnAndNothingIsLost) {
    // Chapters of text, tables and captioned pictures across many pages.
    QImage picture(900, 500, QImage::Format_RGB32);
    picture.fill(Qt::darkYellow);
    ASSERT_TRUE(picture.save(dir.filePath("shot.png")));
    QString text = QStringLiteral("# Справка\n\n");
    QStringList headings, marks;
    for (int chapter = 1; chapter <= 12; ++chapter) {
        headings << QStringLiteral("Глава номер %1").arg(chapter)
                 << QStringLiteral("Раздел %1.1").arg(chapter);
        text += QStringLiteral("## Глава номер %1\n\n").arg(chapter);
        if (chapter % 3 == 0)
            text += QStringLiteral("![Окно главы %1](shot.png)\n\n").arg(chapter);
        text += QStringLiteral("### Раздел %1.1\n\n| А | Б |\n|---|---|\n").arg(chapter);
        for (int row = 0; row < 6; ++row) {
            marks << QStringLiteral("Метка%1x%2").arg(chapter).arg(row);
            text += QStringLiteral("| %1 | строка |\n").arg(marks.last());
        }
        for (int para = 0; para < 8; ++para) {
            marks << QStringLiteral("Абзац%1x%2").arg(chapter).arg(para);
            text += marks.last() + QStringLiteral(" поясняет показания курсоров и глубину.\n\n");
        }
    }
    const auto r = Request(text);
    const helpdoc::PdfResult result = helpdoc::WriteHelpPdf(r);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();

    const QString all = PageText(r.pdfFile);
    for (const QString& mark : marks)
        EXPECT_TRUE(all.contains(mark)) << mark.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("Рисунок 4. Окно главы 12")));

    const QString contents = PageText(r.pdfFile, 1);
    for (const QString& heading : headings) {
        const QRegularExpressionMatch m =
            QRegularExpression(QRegularExpression::escape(heading) + " (\\d+)\\s").match(contents);
        ASSERT_TRUE(m.hasMatch()) << heading.toStdString();
        const int page = m.captured(1).toInt();
        const QRegularExpression alone(QRegularExpression::escape(heading) + "\\s*\\n");
        EXPECT_TRUE(PageText(r.pdfFile, page).contains(alone)) << heading.toStdString() << " on " << page;
        if (page - 1 > 1) { // page 1 holds the contents themselves
            EXPECT_FALSE(PageText(r.pdfFile, page - 1).contains(alone)) << heading.toStdString();
        }
    }
}

TEST_F(HelpPdfTest, HeadingNeverEndsAPageAlone) {
    // Whatever the length of the text above it, a heading stands on the page of its first line.
    for (int lines = 44; lines < 60; ++lines) {
        QString text = QStringLiteral("# Справка\n\n");
        for (int i = 0; i < lines; ++i)
            text += QStringLiteral("Строка %1.\n\n").arg(i);
        text += QStringLiteral("## Глава\n\nПервая строка главы.\n");
        const auto r = Request(text);
        const helpdoc::PdfResult result = helpdoc::WriteHelpPdf(r);
        ASSERT_TRUE(result.ok()) << result.error.toStdString();
        for (int page = 2; page <= result.pageCount; ++page) {
            const QString t = PageText(r.pdfFile, page);
            EXPECT_EQ(t.contains(QStringLiteral("Глава")), t.contains(QStringLiteral("Первая строка главы")))
                << lines << " lines, page " << page;
        }
    }
}

TEST_F(HelpPdfTest, PictureAndItsCaptionStandOnOnePage) {
    QString text = QStringLiteral("# Справка\n\n");
    for (int i = 0; i < 22; ++i)
        text += QStringLiteral("Строка %1.\n\n").arg(i);
    text += QStringLiteral("![Окно программы](window.png)\n\nТекст после рисунка.\n");
    const auto r = Request(text);
    // However close to the foot of the page the picture ends, its caption is on its page.
    for (int height = 540; height <= 700; height += 10) {
        QImage picture(800, height, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(picture.save(dir.filePath("window.png")));
        const helpdoc::PdfResult result = helpdoc::WriteHelpPdf(r);
        ASSERT_TRUE(result.ok()) << result.error.toStdString();
        for (int page = 2; page <= result.pageCount; ++page) {
            const QString images = Output(
                "pdfimages", {"-list", "-f", QString::number(page), "-l", QString::number(page), r.pdfFile});
            const bool shown = images.count(QLatin1Char('\n')) > 2; // below two lines of column titles
            EXPECT_EQ(shown, PageText(r.pdfFile, page).contains(QStringLiteral("Рисунок 1. Окно программы")))
                << "picture height " << height << ", page " << page;
        }
    }
}

TEST_F(HelpPdfTest, MissingPictureFailsUnlessPlaceholdersAreAsked) {
    auto r = Request(QStringLiteral("# Справка\n\n![Окно](img/vibrix-main.png)\n\nТекст.\n"));
    helpdoc::PdfResult strict = helpdoc::WriteHelpPdf(r);
    EXPECT_FALSE(strict.ok());
    EXPECT_TRUE(strict.error.contains("img/vibrix-main.png"));
    EXPECT_FALSE(QFile::exists(r.pdfFile));

    r.placeholders = true;
    const helpdoc::PdfResult marked = helpdoc::WriteHelpPdf(r);
    ASSERT_TRUE(marked.ok()) << marked.error.toStdString();
    EXPECT_EQ(marked.missingPictures, QStringList{"img/vibrix-main.png"});
    EXPECT_TRUE(PageText(r.pdfFile).contains(QStringLiteral("Текст.")));
}

TEST_F(HelpPdfTest, GuideWithoutTitleOrFileIsRefused) {
    const auto r = Request(QStringLiteral("## Глава без заголовка документа\n\nТекст.\n"));
    EXPECT_FALSE(helpdoc::WriteHelpPdf(r).ok());
    EXPECT_FALSE(QFile::exists(r.pdfFile));

    helpdoc::PdfRequest absent = r;
    absent.markdownFile = dir.filePath("absent.md");
    EXPECT_TRUE(helpdoc::WriteHelpPdf(absent).error.contains("absent.md"));
}

} // namespace
