#pragma once
// The main report: the record's time and spectrum charts with their cursor readings, the
// display settings and the recording parameters.

#include "ReportPage.h"
#include "SpectrumView.h"

#include <QColor>
#include <QString>

#include <array>

class QCustomPlot;
struct TMeasureResult;

// What the main window shows at the moment of the report.
struct TMainReportSource {
    QCustomPlot* TimeChart = nullptr;
    QCustomPlot* FreqChart = nullptr;
    const TMeasureResult* Record = nullptr;
    std::array<bool, 3> ChSignalShow{true, true, true};
    bool InvertSignal = true;
    std::array<bool, 2> ChSpectrumShow{true, true};
    SpectrumAbscissa SpectrumType = SpectrumAbscissa::Frequency;
    std::array<QColor, 3> ChColor{QColor(Qt::blue), QColor(Qt::red), QColor(Qt::black)};
    double Gain = 0;     // FGain, the gain in force
    double Velocity = 0; // FVelocity, the velocity in force
    QString TimeCursorText, FreqCursorText;
    QString Comment; // the record's comment as the comment memo shows it
};

// Fills a page of the "MainReport" layout. Throws TReportError without charts or record.
void MainReportManualBuild(TReportPage& page, const TMainReportSource& source);

// The header line: caption, "dd.mm.yyyy  hh:mm:ss", site and pile number.
QString ResultInfoText(const QString& caption, double dateTime, int siteNumber, int pileNumber);

// "1, 2, М" for the shown time signals, "1, 2" for the shown spectra (empty when none).
QString GetVisibleChannelStr(const std::array<bool, 3>& shown);
QString GetShowSpectrumStr(const std::array<bool, 2>& shown);
QString GetInvertSignalStr(bool invert);           // "вкл." / "выкл."
QString GetSpectrumTypeStr(SpectrumAbscissa type); // "глубина" / "частота"
