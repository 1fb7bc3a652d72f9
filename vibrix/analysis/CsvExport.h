#pragma once
// Signal and spectrum export: semicolon-separated numbers, one record per file, every line
// ended by a single CR, every number as "0.00000E+00" in the user's locale.

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <span>

struct TSpectra;

// The fields of one exported file: "; " between fields, a CR after each line, numbers as
// "0.00000E+00" in the user's locale (read once).
class CsvText {
public:
    explicit CsvText(qsizetype expectedChars = 0) { FText.reserve(expectedChars); }
    // A table a spreadsheet opens: lines ended by CR LF, the text in UTF-8 behind its byte order
    // mark, so that Russian names and remarks survive whatever the system's code page.
    static CsvText Table() {
        CsvText table;
        table.FLineEnd = QStringLiteral("\r\n");
        table.FUtf8 = true;
        return table;
    }

    void Number(double v);
    void Field(const QString& text);
    // A text that may hold the separator, quotes or line breaks: quoted as spreadsheets read it.
    void Text(const QString& text);
    void EndLine();
    QByteArray Bytes() const {
        return FUtf8 ? QByteArray("\xEF\xBB\xBF") + FText.toUtf8() : FText.toLocal8Bit();
    }

private:
    QLocale FLocale;
    QString FText;
    QString FLineEnd = QString(QChar(13));
    bool FUtf8 = false;
    bool FLineStart = true;
};

struct SignalExportInput {
    std::span<const float> Ch0, Ch1, Ham; // normalised, without gain or inversion
    int SampleCount = 0;                  // the record's SampleLen; clipped to the samples present
    double SampleFreq = 0;                // Hz
};

// N lines of seven fields: t, the three channels, f, both spectra. Lines beyond the spectra
// (N/2 .. N-1) leave fields 6 and 7 empty.
QByteArray SignalExportText(const SignalExportInput& in, const TSpectra& spectra);

// N/2 lines of three fields: f, both spectra (line 0 holds the constant component).
QByteArray SpectrumExportText(const TSpectra& spectra);

struct ExportResult {
    enum Status { Written, NotReplaced, Failed };
    Status Result = Failed;
    QString Error; // the reason in Russian when Failed
};

// Replaces the file: an existing one is deleted first. A file that is read-only or cannot be
// deleted stays as it is (NotReplaced, no message expected); a folder, pipe or device is not a
// file to replace (Failed). A failed write removes the partial file.
ExportResult WriteExportFile(const QString& fileName, const QByteArray& text);
