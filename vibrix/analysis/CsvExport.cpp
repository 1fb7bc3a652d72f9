#include "CsvExport.h"

#include "FailureText.h"
#include "FileReplacement.h"
#include "NumberFormat.h"
#include "PlatformFiles.h"
#include "SpectrumView.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kSeparator = QStringLiteral("; ");

} // namespace

void CsvText::Number(double v) {
    Field(FormatFloat(QStringLiteral("0.00000E+00"), v, FLocale));
}

void CsvText::Field(const QString& text) {
    if (!FLineStart)
        FText += kSeparator;
    FText += text;
    FLineStart = false;
}

void CsvText::Text(const QString& text) {
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) {
        Field(text);
        return;
    }
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    Field(QLatin1Char('"') + quoted + QLatin1Char('"'));
}

void CsvText::EndLine() {
    FText += FLineEnd;
    FLineStart = true;
}

QByteArray SignalExportText(const SignalExportInput& in, const TSpectra& spectra) {
    const std::size_t n =
        std::min({std::size_t(std::max(in.SampleCount, 0)), in.Ch0.size(), in.Ch1.size(), in.Ham.size()});
    const std::size_t lines = std::min(spectra.Spectrum0.size(), spectra.Spectrum1.size());
    const double period = 1.0 / in.SampleFreq;
    CsvText csv(qsizetype(n) * 95);
    for (std::size_t i = 0; i < n; ++i) {
        csv.Number(double(i) * period);
        csv.Number(in.Ch0[i]);
        csv.Number(in.Ch1[i]);
        csv.Number(in.Ham[i]);
        csv.Number(double(i) * spectra.FreqStep);
        if (i < lines) {
            csv.Number(double(spectra.Spectrum0[i]));
            csv.Number(double(spectra.Spectrum1[i]));
        } else {
            csv.Field(QString());
            csv.Field(QString());
        }
        csv.EndLine();
    }
    return csv.Bytes();
}

QByteArray SpectrumExportText(const TSpectra& spectra) {
    const std::size_t lines = std::min(spectra.Spectrum0.size(), spectra.Spectrum1.size());
    CsvText csv(qsizetype(lines) * 40);
    for (std::size_t i = 0; i < lines; ++i) {
        csv.Number(double(i) * spectra.FreqStep);
        csv.Number(double(spectra.Spectrum0[i]));
        csv.Number(double(spectra.Spectrum1[i]));
        csv.EndLine();
    }
    return csv.Bytes();
}

ExportResult WriteExportFile(const QString& fileName, const QByteArray& text) {
    // A folder, a pipe or a device under that name is neither deleted nor written to.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        return {ExportResult::Failed, FailureText({FailureKind::NotRegularFile, 0})};
    if (!RemoveForReplacement(fileName))
        return {ExportResult::NotReplaced, {}};
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return {ExportResult::Failed, FailureText(FailureOf(file, platform::LastSystemError()))};
    if (file.write(text) != text.size() || !file.flush()) {
        const QString error = FailureText(FailureOf(file, platform::LastSystemError()));
        file.close();
        file.remove();
        return {ExportResult::Failed, error};
    }
    return {ExportResult::Written, {}};
}
