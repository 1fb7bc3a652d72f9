#include "CsvExport.h"
#include "FFTUnit.h"
#include "NumberFormat.h"
#include "SpectrumView.h"

#include "GeneratedRecord.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

QStringList linesOf(const QByteArray& text) {
    QStringList lines = QString::fromLocal8Bit(text).split(QLatin1Char('\r'));
    EXPECT_TRUE(lines.last().isEmpty()) << "the last line must end with CR";
    lines.removeLast();
    return lines;
}

class CsvExport : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    GeneratedRecord rec = generateRecord({});
    TComplexFFT fft;
    TSpectra spectra = ComputeSpectra(fft, rec.Ch0, rec.Ch1, 16384, rec.SampleFreq);
    SignalExportInput input{rec.Ch0, rec.Ch1, rec.Ham, 16384, rec.SampleFreq};
};

TEST_F(CsvExport, SignalFileHasNLinesOfSevenFieldsEndedByCr) {
    const QByteArray text = SignalExportText(input, spectra);
    EXPECT_FALSE(text.contains('\n'));
    const QStringList lines = linesOf(text);
    ASSERT_EQ(lines.size(), 16384);
    for (const QString& line : lines)
        ASSERT_EQ(line.split(QStringLiteral("; ")).size(), 7) << line.toStdString();
    const QStringList first = lines[0].split(QStringLiteral("; "));
    EXPECT_EQ(first[0], "0,00000E+00");
    EXPECT_EQ(first[4], "0,00000E+00");
    EXPECT_EQ(first[5], FormatFloat("0.00000E+00", double(spectra.Spectrum0[0])));
    EXPECT_TRUE(lines[1].startsWith("2,00000E-05; ")) << lines[1].toStdString();
    // Lines beyond the spectra keep seven fields with the last two empty.
    EXPECT_TRUE(lines[8192].endsWith("; ; ")) << lines[8192].toStdString();
    EXPECT_FALSE(lines[8191].endsWith("; ; "));
}

TEST_F(CsvExport, SignalFieldsCarryTheSamplesAndFrequencies) {
    const QStringList lines = linesOf(SignalExportText(input, spectra));
    for (int i : {5, 300, 8191, 16383}) {
        const QStringList f = lines[i].split(QStringLiteral("; "));
        const auto at = std::size_t(i);
        EXPECT_EQ(f[1], FormatFloat("0.00000E+00", rec.Ch0[at]));
        EXPECT_EQ(f[2], FormatFloat("0.00000E+00", rec.Ch1[at]));
        EXPECT_EQ(f[3], FormatFloat("0.00000E+00", rec.Ham[at]));
        EXPECT_EQ(QLocale().toDouble(f[4]),
                  QLocale().toDouble(FormatFloat("0.00000E+00", i * spectra.FreqStep)));
    }
}

TEST_F(CsvExport, NegativeSamplesAreWrittenWithAMinusSign) {
    const std::vector<float> ch{-0.5f, 0.25f, -1.0f, 0.0f};
    const SignalExportInput small{ch, ch, ch, 4, 1000.0};
    const TSpectra s = ComputeSpectra(fft, ch, ch, 4, 1000.0);
    const QStringList lines = linesOf(SignalExportText(small, s));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].split("; ")[1], "-5,00000E-01");
    EXPECT_EQ(lines[2].split("; ")[3], "-1,00000E+00");
    EXPECT_EQ(lines[3].split("; ")[1], "0,00000E+00");
}

TEST_F(CsvExport, SpectrumFileHasHalfNLinesOfThreeFields) {
    const QStringList lines = linesOf(SpectrumExportText(spectra));
    ASSERT_EQ(lines.size(), 8192);
    for (int i : {0, 1, 4000, 8191}) {
        const QStringList f = lines[i].split(QStringLiteral("; "));
        ASSERT_EQ(f.size(), 3);
        EXPECT_EQ(f[1], FormatFloat("0.00000E+00", double(spectra.Spectrum0[std::size_t(i)])));
        EXPECT_EQ(f[2], FormatFloat("0.00000E+00", double(spectra.Spectrum1[std::size_t(i)])));
    }
    EXPECT_EQ(lines[0].split("; ")[0], "0,00000E+00");
}

TEST_F(CsvExport, DecimalSeparatorFollowsTheLocale) {
    QLocale::setDefault(QLocale::c());
    const QStringList lines = linesOf(SignalExportText(input, spectra));
    EXPECT_TRUE(lines[1].startsWith("2.00000E-05; "));
}

TEST(ExportFile, WritesAndReplacesAnExistingFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath("signal.csv");
    ASSERT_EQ(WriteExportFile(name, QByteArray(5000, 'x')).Result, ExportResult::Written);
    ASSERT_EQ(WriteExportFile(name, "1,0\r").Result, ExportResult::Written);
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("1,0\r"));
}

TEST(ExportFile, ReadOnlyFileIsLeftUntouchedSilently) {
    QTemporaryDir dir;
    const QString name = dir.filePath("locked.csv");
    ASSERT_EQ(WriteExportFile(name, "old\r").Result, ExportResult::Written);
    ASSERT_TRUE(QFile::setPermissions(name, QFile::ReadOwner | QFile::ReadGroup));
    const ExportResult r = WriteExportFile(name, "new\r");
    EXPECT_EQ(r.Result, ExportResult::NotReplaced);
    EXPECT_TRUE(r.Error.isEmpty());
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old\r"));
}

TEST(ExportFile, UnwritablePlaceReportsTheReason) {
    QTemporaryDir dir;
    const QString name = dir.filePath("missing/folder/out.csv");
    const ExportResult r = WriteExportFile(name, "x\r");
    EXPECT_EQ(r.Result, ExportResult::Failed);
    EXPECT_EQ(r.Error, QStringLiteral("файл или папка не найдены"));
    EXPECT_FALSE(QFile::exists(name));
    // A pipe under the name is neither waited on nor replaced.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.csv")).constData(), 0600), 0);
    const ExportResult pipe = WriteExportFile(dir.filePath("pipe.csv"), "x\r");
    EXPECT_EQ(pipe.Result, ExportResult::Failed);
    EXPECT_EQ(pipe.Error, QStringLiteral("это не обычный файл (папка, канал или устройство)"));
    EXPECT_FALSE(QFileInfo(dir.filePath("pipe.csv")).isFile());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("pipe.csv")));
}

} // namespace
