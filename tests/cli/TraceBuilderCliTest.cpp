// tracebuilder-cli end to end: its lines, text files and bitmaps equal what the catalogue and
// the trace set produce in the window's controls.
#include "CliFixture.h"

#include "tFLF.h"
#include "tTraceSet.h"
#include "tTrcFiles.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>

#include <sys/stat.h>

namespace {

ToolResult tracebuilder(const QStringList& args) {
    return runTool(TRACEBUILDER_CLI, QStringList{"--locale", "ru_RU"} + args);
}

// The first tab as the window sets it up, filter switched off.
struct FirstTab {
    FirstTab() {
        site.setText("-");
        pile.setText("-");
        channel1.setChecked(true);
        channel2.setChecked(true);
    }
    QStringList lines(const QListWidget& list) const {
        QStringList out;
        for (int i = 0; i < list.count(); ++i)
            out << list.item(i)->text();
        return out;
    }
    QListWidget files, checks;
    QCheckBox onOff, channel1, channel2;
    QLineEdit site, pile;
    QPushButton make, extract;
};

struct Catalogue : FirstTab {
    explicit Catalogue(const QString& folder) {
        catalogue.Clear();
        catalogue.Scan(folder);
        catalogue.FillCheckList();
    }
    tFLF filter{&onOff, &site, &pile, &channel1, &channel2};
    tTrcFiles catalogue{&files, &checks, &filter, &make, &extract, nullptr};
};

class TraceBuilderCli : public CliFixture {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        folder = measurementFolder("in", 3);
    }
    QString folder;
};

TEST_F(TraceBuilderCli, ListPrintsBothListsOfTheWindow) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "/pipe.ssm").constData(), 0600),
              0); // listed, never waited on
    const ToolResult r = tracebuilder({"list", folder});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    Catalogue c(folder);
    const QString expected = c.lines(c.files).join('\n') + "\n\n" + c.lines(c.checks).join('\n') + "\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(c.lines(c.checks).size(), 6);
    EXPECT_TRUE(r.out.contains(QStringLiteral("Файл .ssm неизвестного формата")));
}

TEST_F(TraceBuilderCli, FilterOptionsSwitchTheFilterOn) {
    const QStringList pile11 =
        tracebuilder({"list", folder, "--pile", "11", "--channels", "2"}).out.split('\n');
    const QStringList checks = pile11.mid(pile11.indexOf(QString()) + 1).filter(QStringLiteral("Канал"));
    ASSERT_EQ(checks.size(), 1);
    EXPECT_TRUE(checks[0].contains(QStringLiteral("Свая:  11")));
    EXPECT_TRUE(checks[0].endsWith(QStringLiteral("Канал: 2")));

    const QStringList site9 = tracebuilder({"list", folder, "--site", "9"}).out.split('\n');
    EXPECT_TRUE(site9.mid(site9.indexOf(QString()) + 1).filter(QStringLiteral("Канал")).isEmpty());
    // Only the channel chosen: one line per file.
    const QStringList any = tracebuilder({"list", folder, "--channels", "1"}).out.split('\n');
    EXPECT_EQ(any.mid(any.indexOf(QString()) + 1).filter(QStringLiteral("Канал: 1")).size(), 3);
}

TEST_F(TraceBuilderCli, ExtractWritesTheCatalogueFilesAndNamesThem) {
    QDir(dir.path()).mkdir("cli");
    QDir(dir.path()).mkdir("lib");
    const ToolResult r = tracebuilder({"extract", folder, path("cli"), "--channels", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    Catalogue c(folder);
    c.onOff.click(); // the library side: channel 2 unchecked under an active filter
    c.channel2.click();
    const QStringList names = c.catalogue.Extract(path("lib")).written;
    EXPECT_EQ(r.out.split('\n', Qt::SkipEmptyParts), names);
    ASSERT_EQ(names.size(), 3);
    for (const QString& n : names)
        EXPECT_EQ(fileBytes(path("cli/" + n)), fileBytes(path("lib/" + n))) << n.toStdString();
    EXPECT_TRUE(names[0].startsWith(QStringLiteral("obj__П_4_C_10_К_1")));
}

TEST_F(TraceBuilderCli, TracesAreTheWindowsWholeTraceBitmaps) {
    const ToolResult r = tracebuilder({"traces", folder, "--velocity", "4000", "--base", "2", "--depth", "20",
                                       "--seismo", path("s.bmp"), "--spectro", path("f.bmp")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    Catalogue c(folder);
    tAppInt app;
    app.velocity = 4000;
    app.base = 2;
    QTabWidget tabs;
    tTraceTab seismo(tabs, "s", 1, 1, 1), spectro(tabs, "f", 0, 90, 10);
    seismo.track->setValue(20);
    spectro.track->setValue(20);
    tTraceSet set(&app, seismo, spectro);
    c.catalogue.CollectChecked();
    set.Build(c.catalogue.checked());
    ASSERT_TRUE(set.SaveSeismo(path("s_lib.bmp")));
    ASSERT_TRUE(set.SaveSpectro(path("f_lib.bmp")));
    EXPECT_EQ(QImage(path("s.bmp")), QImage(path("s_lib.bmp")));
    EXPECT_EQ(QImage(path("f.bmp")), QImage(path("f_lib.bmp")));
}

TEST_F(TraceBuilderCli, TheBitmapKeepsTheColumnsWidthUnlessTheTitleIsAskedFor) {
    const QString two = measurementFolder("two", 2); // four measurements, two channels each
    ASSERT_EQ(tracebuilder({"traces", two, "--seismo", path("plain.bmp")}).exitCode, 0);
    EXPECT_EQ(QImage(path("plain.bmp")).size(), QSize(245, 649));
    ASSERT_EQ(tracebuilder({"traces", two, "--seismo", path("titled.bmp"), "--title"}).exitCode, 0);
    EXPECT_GT(QImage(path("titled.bmp")).height(), 649);
}

TEST_F(TraceBuilderCli, TracesNamedPdfAreThePrintedPages) {
    const ToolResult r = tracebuilder({"traces", folder, "--velocity", "4000", "--spectro", path("f.pdf")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, path("f.pdf") + "\n");
    QProcess text;
    text.start("pdftotext", {"-layout", path("f.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString pages = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(pages.contains(QStringLiteral("СПЕКТРО Трасса"))) << pages.toStdString();
    EXPECT_TRUE(pages.contains(QStringLiteral("Лист 1 из 1")));
    EXPECT_TRUE(pages.contains(QStringLiteral("Скорость: 4000 м/с")));
    EXPECT_FALSE(pages.contains(QStringLiteral("Усиление"))); // the gain does not shape a spectrum
}

TEST_F(TraceBuilderCli, FailuresAndUsageErrors) {
    const ToolResult missing = tracebuilder({"list", path("nowhere")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains("nowhere"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("out/obj__П_4_C_10_К_1.txt"))); // in the way
    const ToolResult inTheWay = tracebuilder({"extract", folder, path("out")});
    EXPECT_EQ(inTheWay.exitCode, 2);
    EXPECT_TRUE(inTheWay.err.contains(QStringLiteral(": это не обычный файл (папка, канал или устройство)")))
        << inTheWay.err.toStdString();
    EXPECT_EQ(tracebuilder({"extract", folder, path("no-out")}).exitCode, 2);
    const ToolResult proc = tracebuilder({"extract", folder, "/proc"});
    EXPECT_EQ(proc.exitCode, 2);
    EXPECT_TRUE(proc.err.contains("/proc"));
    const ToolResult empty = tracebuilder({"traces", folder, "--site", "9", "--seismo", path("x.bmp")});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("x.bmp")));
    EXPECT_EQ(tracebuilder({"traces", folder, "--seismo", "/proc/x/s.bmp"}).exitCode, 2);
    for (const QStringList& args :
         {QStringList{"list", folder, "--channels", "3"}, QStringList{"list", folder, "--site", "x1"},
          QStringList{"list", folder, "--velocity", "4000"},
          QStringList{"traces", folder, "--velocity", "abc"}, QStringList{"traces", folder, "--depth", "60"},
          QStringList{"list"}, QStringList{"paint", folder}, QStringList{"list", folder, "--bogus", "1"}}) {
        const ToolResult r = tracebuilder(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("Использование"))) << args.join(' ').toStdString();
    }
    EXPECT_EQ(tracebuilder({"--help"}).exitCode, 0);
}

TEST_F(TraceBuilderCli, AGainNoPictureCanShowIsRefusedWithTheWindowsMessage) {
    const ToolResult r = tracebuilder({"traces", folder, "--ku", "7000000", "--seismo", path("s.bmp")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral(
        "недопустимое значение --ku: 7000000 Усиление должно быть от -351 до 351: при большем усилении "
        "отсчёты не представимы числами.")))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("s.bmp")));
}

TEST_F(TraceBuilderCli, AFolderAboveTheMeasurementsSaysWhereTheyAre) {
    const ToolResult r = tracebuilder({"list", dir.path()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("В папке нет файлов *.ssm; в подпапках: 4\n\n"));
}

} // namespace
