#include "ExportCommands.h"

#include "CsvExport.h"
#include "FFTUnit.h"
#include "MeasureResult.h"
#include "SpectrumView.h"

#include "../../support/ScriptedDialogs.h"
#include "../analysis/GeneratedRecord.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

namespace {

QByteArray bytesOf(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A folder on a file system that is full after a few kilobytes: a tiny tmpfs where the test
// may mount one, otherwise a limit on the size of the files this process writes.
class FullFolder {
public:
    FullFolder() {
        if (::mount("tmpfs", FDir.path().toLocal8Bit().constData(), "tmpfs", 0, "size=16k") == 0) {
            FMounted = true;
            return;
        }
        getrlimit(RLIMIT_FSIZE, &FLimit);
        FSignal = std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails instead of ending us
        rlimit small = FLimit;
        small.rlim_cur = 16 * 1024;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullFolder() {
        if (FMounted) {
            ::umount2(FDir.path().toLocal8Bit().constData(), MNT_DETACH);
            return;
        }
        setrlimit(RLIMIT_FSIZE, &FLimit);
        std::signal(SIGXFSZ, FSignal);
    }
    QString FilePath(const QString& name) const { return FDir.filePath(name); }

private:
    QTemporaryDir FDir;
    bool FMounted = false;
    rlimit FLimit{};
    void (*FSignal)(int) = SIG_DFL;
};

class ExportCommands : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        const GeneratedRecord g = generateRecord(ssmgen::FileSpec());
        record.Ch0Data = g.Ch0;
        record.Ch1Data = g.Ch1;
        record.HamData = g.Ham;
        record.SampleFreq = g.SampleFreq;
        record.SampleLen = 16384;
        spectra = ComputeSpectra(fft, record.Ch0Data, record.Ch1Data, record.SampleLen, record.SampleFreq);
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QByteArray signalText() const {
        return SignalExportText(
            {record.Ch0Data, record.Ch1Data, record.HamData, record.SampleLen, record.SampleFreq}, spectra);
    }

    QTemporaryDir dir;
    TComplexFFT fft;
    TMeasureResult record;
    TSpectra spectra;
    ScriptedDialogs dialogs;
    TExportCommands commands{dialogs, nullptr};
};

TEST_F(ExportCommands, BothFilesAreTheWritersTextAndTheBoxSaysSo) {
    dialogs.files = {dir.filePath("signal.csv"), dir.filePath("spectrum.csv")};
    commands.SignalExportActionExecute(record, spectra, dir.path());
    commands.SpectrExportActionExecute(spectra, dir.path());
    EXPECT_EQ(bytesOf(dir.filePath("signal.csv")), signalText());
    EXPECT_EQ(bytesOf(dir.filePath("spectrum.csv")), SpectrumExportText(spectra));
    EXPECT_TRUE(bytesOf(dir.filePath("signal.csv")).startsWith("0,00000E+00; "));
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_EQ(dialogs.requests[0].title, QStringLiteral("Файл экспорта"));
    EXPECT_EQ(dialogs.requests[0].folder, dir.path());
    EXPECT_EQ(dialogs.requests[0].filter, QStringLiteral("Файлы (*.csv)"));
    EXPECT_EQ(dialogs.requests[0].defaultSuffix, "csv");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text,
              "Экспорт завершён\nФайл: " + QDir::toNativeSeparators(dir.filePath("spectrum.csv")));
    for (const auto& m : dialogs.messages) {
        EXPECT_TRUE(m.text.startsWith(QStringLiteral("Экспорт завершён\n")));
        EXPECT_EQ(m.icon, UserDialogs::Icon::Information);
        EXPECT_EQ(m.caption, QGuiApplication::applicationDisplayName());
    }
}

TEST_F(ExportCommands, CancelOrAReadOnlyFileEndsSilently) {
    const QString locked = dir.filePath("locked.csv");
    ASSERT_EQ(WriteExportFile(locked, "old\r").Result, ExportResult::Written);
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup));
    dialogs.files = {QString(), locked};
    commands.SignalExportActionExecute(record, spectra, dir.path());
    commands.SpectrExportActionExecute(spectra, dir.path());
    EXPECT_EQ(dialogs.requests.size(), 2u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(bytesOf(locked), "old\r");
}

TEST_F(ExportCommands, AFullDiskOrAnUnwritablePlaceShowsTheReasonAndLeavesNothing) {
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QStringList unwritable{dir.filePath("plain/signal.csv"), dir.filePath("missing/signal.csv")};
    record.SampleLen = 2048; // still some 190 kB
    spectra = ComputeSpectra(fft, record.Ch0Data, record.Ch1Data, record.SampleLen, record.SampleFreq);
    {
        const FullFolder full;
        dialogs.files = {full.FilePath("signal.csv")};
        commands.SignalExportActionExecute(record, spectra, dir.path());
        EXPECT_FALSE(QFile::exists(full.FilePath("signal.csv")));
    }
    for (const QString& name : unwritable) {
        dialogs.files = {name};
        commands.SignalExportActionExecute(record, spectra, dir.path());
        EXPECT_FALSE(QFile::exists(name));
    }
    ASSERT_EQ(dialogs.messages.size(), 3u);
    for (const auto& m : dialogs.messages) {
        EXPECT_EQ(m.icon, UserDialogs::Icon::Error);
        EXPECT_FALSE(m.text.isEmpty());
        EXPECT_NE(m.text, QStringLiteral("Экспорт завершён"));
    }
}

} // namespace
