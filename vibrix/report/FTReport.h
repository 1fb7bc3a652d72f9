#pragma once
// The time-frequency report: the spectrogram picture with its cursor readings and parameters.

#include "ReportPage.h"

#include <QImage>
#include <QString>

// What the time-frequency window shows at the moment of the report.
struct TFTReportSource {
    double DateTime = 0;
    int SiteNumber = 0, PileNumber = 0;
    QImage Picture; // the window's picture with cursor lines and captions
    QString TimeText, FreqText, DepthText;
    int Channel = 0; // 0 = sensor 1, 1 = sensor 2
    int SampleCount = 0;
    double Velocity = 0;
    int WindowWidth = 0;
};

// Fills a page of the "FTReport" layout.
void FTReportManualBuild(TReportPage& page, const TFTReportSource& source);
