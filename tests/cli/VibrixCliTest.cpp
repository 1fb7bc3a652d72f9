// vibrix-cli end to end: what it prints and writes equals what the libraries produce.
#include "../support/CommaCLocale.h"
#include "../vibrix/report/PdfText.h"
#include "CliFixture.h"

#include "CsvExport.h"
#include "FFTUnit.h"
#include "FTProcessingUnit.h"
#include "MainDataModuleUnit.h"
#include "NumberFormat.h"
#include "SpectrogramPicture.h"
#include "SpectrumView.h"

#include <QGuiApplication>
#include <QImage>

#include <sys/stat.h>

namespace {

ToolResult vibrix(const QStringList& args) {
    return runTool(VIBRIX_CLI, QStringList{"--locale", "ru_RU"} + args);
}

class VibrixCli : public CliFixture {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        folder = measurementFolder("in", 3);
        project = path("site.cdsm");
        const ToolResult r = vibrix({"import", project, folder});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    // Measurement `row` (from 1) of the project, read by the data module itself.
    TMeasureResult record(int row) {
        TMainDataModule dm;
        EXPECT_TRUE(dm.OpenProject(project));
        dm.cdsVibrix.first();
        dm.cdsVibrix.moveBy(row - 1);
        TMeasureResult r;
        EXPECT_TRUE(dm.LoadMeasure(r));
        dm.DiscardProject();
        return r;
    }

    static TSpectra spectra(const TMeasureResult& r) {
        TComplexFFT fft;
        return ComputeSpectra(fft, r.Ch0Data, r.Ch1Data, r.SampleLen, r.SampleFreq);
    }

    QString folder, project;
};

TEST_F(VibrixCli, ImportCountsReadAndAddedAndASecondImportAddsNothingAndSaysWhy) {
    const QByteArray saved = fileBytes(project);
    const ToolResult again = vibrix({"import", project, folder});
    EXPECT_EQ(again.exitCode, 0);
    QStringList lines = again.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 + 4) << again.out.toStdString();
    EXPECT_EQ(lines.mid(0, 2), QStringList({QStringLiteral("прочитано файлов (*.ssm): 4"),
                                            QStringLiteral("добавлено записей в проект: 0")}));
    EXPECT_EQ(lines.mid(2),
              QStringList({QStringLiteral("не добавлен: foreign.ssm: не файл измерений Vibrix4"),
                           QStringLiteral("не добавлен: obj_001.ssm: уже есть в проекте"),
                           QStringLiteral("не добавлен: obj_002.ssm: уже есть в проекте"),
                           QStringLiteral("не добавлен: obj_003.ssm: уже есть в проекте")}))
        << "by name within the folder, in name order";
    TMainDataModule dm;
    ASSERT_TRUE(dm.OpenProject(project));
    EXPECT_EQ(dm.cdsVibrix.recordCount(), 3);
    dm.DiscardProject();
    EXPECT_FALSE(saved.isEmpty());
}

TEST_F(VibrixCli, ImportIntoANewProjectReportsUnreadableFilesAndGoesOn) {
    QDir(folder).mkdir("locked.ssm"); // a folder named like a measurement cannot be read
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "/pipe.ssm").constData(), 0600), 0); // nor waited on
    const ToolResult r = vibrix({"import", path("new.cdsm"), folder});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("прочитано файлов (*.ssm): 6"));
    EXPECT_EQ(lines.filter(QStringLiteral("foreign.ssm: не файл измерений Vibrix4")).size(), 1);
    EXPECT_EQ(lines[1], QStringLiteral("добавлено записей в проект: 3"));
    EXPECT_EQ(lines.filter("locked.ssm").size(), 1);
    EXPECT_EQ(lines.filter("pipe.ssm").size(), 1);
    EXPECT_EQ(lines.filter(QStringLiteral(": это не обычный файл (папка, канал или устройство)")).size(), 2);
}

TEST_F(VibrixCli, ListShowsTheWallClockTimeOnADaylightSavingDay) {
    // 30 March 2025, 12:00 in Berlin: clocks went from 2:00 to 3:00 that night.
    TMainDataModule dm;
    ASSERT_TRUE(dm.CreateProject(path("dst.cdsm")));
    ASSERT_TRUE(dm.OpenProject(path("dst.cdsm")));
    const double day = QDate(1899, 12, 30).daysTo(QDate(2025, 3, 30));
    ASSERT_EQ(dm.AddMeasureFile(folder + "/obj_001.ssm", day + 0.5), 0);
    ASSERT_TRUE(dm.CloseProject());
    const ToolResult r = runTool(VIBRIX_CLI, {"list", path("dst.cdsm")}, {{"TZ", "Europe/Berlin"}});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.section("; ", 1, 1), QStringLiteral("30.03.2025 12:00:00.000"));
}

TEST_F(VibrixCli, ListShowsEveryRecordInTheDisplayFormats) {
    const ToolResult r = vibrix({"list", project});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    for (int row = 1; row <= 3; ++row) {
        const TMeasureResult m = record(row);
        const QString expected =
            QStringList{QString::number(row),
                        "20.05.2025 " + QDateTime(QDate(2025, 5, 20), QTime(9, row - 1), Qt::UTC)
                                            .toLocalTime()
                                            .toString("hh:mm:ss.zzz"),
                        "4",
                        QString::number(9 + row),
                        FreqToStr(m.SampleFreq),
                        SampleLenToStr(m.SampleLen),
                        VelocityToStr(m.Velocity),
                        BaseLenToStr(m.BaseLen),
                        AmpToStr(m.Amp)}
                .join("; ");
        EXPECT_EQ(lines[row - 1], expected);
    }
    EXPECT_TRUE(lines[0].contains("50000,0"));
}

TEST_F(VibrixCli, ExportsAreByteForByteTheLibrarysTexts) {
    ASSERT_EQ(vibrix({"export-signal", project, "2", path("s.csv")}).exitCode, 0);
    ASSERT_EQ(vibrix({"export-spectrum", project, "2", path("f.csv")}).exitCode, 0);
    const TMeasureResult m = record(2);
    const TSpectra sp = spectra(m);
    EXPECT_EQ(fileBytes(path("s.csv")),
              SignalExportText({m.Ch0Data, m.Ch1Data, m.HamData, m.SampleLen, m.SampleFreq}, sp));
    EXPECT_EQ(fileBytes(path("f.csv")), SpectrumExportText(sp));
    EXPECT_TRUE(fileBytes(path("s.csv")).startsWith("0,00000E+00; "));
    // The C locale writes a point.
    ASSERT_EQ(runTool(VIBRIX_CLI, {"--locale", "C", "export-spectrum", project, "2", path("c.csv")}).exitCode,
              0);
    EXPECT_TRUE(fileBytes(path("c.csv")).startsWith("0.00000E+00; "));
}

TEST_F(VibrixCli, SpectrogramIsThePictureOfTheAnalysis) {
    ASSERT_EQ(
        vibrix({"spectrogram", project, "1", path("a.png"), "--channel", "2", "--width", "2048"}).exitCode,
        0);
    const QImage saved(path("a.png"));
    ASSERT_EQ(saved.size(), QSize(524, 524));
    const TMeasureResult m = record(1);
    TFTProcessing ft;
    ft.SetSignals(m.Ch0Data, m.Ch1Data);
    ft.SetSampleFreq(m.SampleFreq);
    ft.SetVelocity(m.Velocity);
    ft.SetChannel(1);
    ASSERT_TRUE(ft.SelectWindowWidth(ft.WindowWidths().indexOf("2048")));
    ASSERT_TRUE(ft.CalcSpectrogram());
    TSpectrogramPicture picture;
    picture.DrawSpectrogram(ft.Spectrogram(), ft.SpectrogramLines(), ft.SpectrogramMaximum());
    // The analysis area is pixel for pixel the library's picture (captions lie outside it).
    for (int y = 0; y < 512; y += 7)
        for (int x = 0; x < 512; x += 5)
            ASSERT_EQ(saved.pixel(x, y), picture.Image().pixel(x, y)) << x << "," << y;
}

TEST_F(VibrixCli, ARussianDesktopLocaleGivesTheSameNumbers) {
    const QString folder = CommaCLocale::Folder();
    ASSERT_FALSE(folder.isEmpty()) << "localedef could not build ru_RU.UTF-8";
    const ToolResult plain = vibrix({"list", project});
    const ToolResult russian =
        runTool(VIBRIX_CLI, {"list", project},
                {{"LOCPATH", folder}, {"LC_ALL", "ru_RU.UTF-8"}, {"LANG", "ru_RU.UTF-8"}});
    ASSERT_EQ(russian.exitCode, 0) << russian.err.toStdString();
    EXPECT_EQ(russian.out, plain.out);
    EXPECT_TRUE(russian.out.contains("; 50000,0; 16384; ")) << russian.out.toStdString();
}

TEST_F(VibrixCli, FailuresNameTheFileAndChangeNoProject) {
    const QByteArray before = fileBytes(project);
    const ToolResult dirProject = vibrix({"list", folder});
    EXPECT_EQ(dirProject.exitCode, 2);
    EXPECT_TRUE(dirProject.err.contains(folder));
    const ToolResult missing = vibrix({"list", path("nowhere.cdsm")});
    EXPECT_EQ(missing.err,
              QStringLiteral("Ошибка: %1: файл или папка не найдены\n").arg(path("nowhere.cdsm")));

    QFile damaged(path("damaged.cdsm"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(before.left(before.size() / 2));
    damaged.close();
    const QByteArray damagedBytes = fileBytes(path("damaged.cdsm"));
    const ToolResult bad = vibrix({"import", path("damaged.cdsm"), folder});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err,
              QStringLiteral("Ошибка: %1: Не удалось открыть проект! (файл повреждён или записан другой "
                             "программой)\n")
                  .arg(path("damaged.cdsm")));
    EXPECT_EQ(fileBytes(path("damaged.cdsm")), damagedBytes);

    const ToolResult noFolder = vibrix({"import", path("other.cdsm"), path("nowhere")});
    EXPECT_EQ(noFolder.exitCode, 2);
    EXPECT_TRUE(noFolder.err.contains("nowhere"));
    EXPECT_FALSE(QFile::exists(path("other.cdsm")));

    const ToolResult unwritable = vibrix({"export-signal", project, "1", "/proc/vibrix-cli-test.csv"});
    EXPECT_EQ(unwritable.exitCode, 2);
    EXPECT_TRUE(unwritable.err.contains("/proc/vibrix-cli-test.csv"));

    const ToolResult range = vibrix({"export-spectrum", project, "4", path("x.csv")});
    EXPECT_EQ(range.exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("x.csv")));
    EXPECT_EQ(vibrix({"export-spectrum", project, "two", path("x.csv")}).exitCode, 1);
    EXPECT_EQ(fileBytes(project), before);
}

// A site's records as one PDF: a page per record asked for, with the settings given.
TEST_F(VibrixCli, ReportPrintsOnePageForEachRecordAskedFor) {
    const auto pages = [this](const QString& pdf) {
        QStringList out;
        for (const QString& page : PdfText(fileBytes(pdf)).split(QChar('\f'), Qt::SkipEmptyParts))
            if (!page.trimmed().isEmpty())
                out << page.simplified();
        return out;
    };
    const ToolResult all = vibrix({"report", project, "all", path("all.pdf")});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(all.out, QStringLiteral("страниц отчёта: 3\n"));
    const QStringList three = pages(path("all.pdf"));
    ASSERT_EQ(three.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(three[i].contains(QStringLiteral("№ сваи: %1").arg(10 + i))) << three[i].toStdString();
        EXPECT_TRUE(three[i].contains(QStringLiteral("частота"))) << "a fresh installation shows frequency";
    }

    // The views of an ini: spectra against depth, the hammer only.
    QFile ini(path("vibrix.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Graphics]\nSpectrumType=1\nChSignalShow0=0\nChSignalShow1=0\nChSignalShow2=1\n");
    ini.close();
    ASSERT_EQ(vibrix({"report", project, "2-3", path("two.pdf"), "--settings", ini.fileName()}).exitCode, 0);
    const QStringList two = pages(path("two.pdf"));
    ASSERT_EQ(two.size(), 2);
    EXPECT_TRUE(two[0].contains(QStringLiteral("№ сваи: 11")));
    EXPECT_TRUE(two[1].contains(QStringLiteral("№ сваи: 12")));
    EXPECT_TRUE(two[1].contains(QStringLiteral("глубина")));
    ASSERT_EQ(vibrix({"report", project, "3", path("one.pdf")}).exitCode, 0);
    EXPECT_EQ(pages(path("one.pdf")).size(), 1);

    // Rows that are not there, or not rows at all, write nothing.
    EXPECT_EQ(vibrix({"report", project, "2-9", path("x.pdf")}).exitCode, 2);
    EXPECT_EQ(vibrix({"report", project, "0", path("x.pdf")}).exitCode, 1);
    EXPECT_EQ(vibrix({"report", project, "3-2", path("x.pdf")}).exitCode, 1);
    EXPECT_EQ(vibrix({"report", project, "all", path("x.pdf"), "--settings", path("none.ini")}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("x.pdf")));
}

TEST_F(VibrixCli, UsageErrorsPrintTheUsage) {
    for (const QStringList& args :
         {QStringList{"list", project, "--bogus", "1"}, QStringList{"frobnicate"}, QStringList{},
          QStringList{"list"}, QStringList{"spectrogram", project, "1", path("a.png"), "--channel", "3"},
          QStringList{"spectrogram", project, "1", path("a.png"), "--width", "1000"}}) {
        const ToolResult r = vibrix(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("Использование"))) << args.join(' ').toStdString();
    }
    const ToolResult help = vibrix({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("export-spectrum"));
    EXPECT_EQ(runTool(VIBRIX_CLI, {"--locale", "xx_nowhere", "list", project}).exitCode, 1);
}

} // namespace
