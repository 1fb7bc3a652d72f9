#include "FTReport.h"

#include "MainReport.h"
#include "NumberFormat.h"

void FTReportManualBuild(TReportPage& page, const TFTReportSource& source) {
    page.SetText(QStringLiteral("ResultInfoMemo"),
                 ResultInfoText(QStringLiteral("Дата, время: "), source.DateTime, source.SiteNumber,
                                source.PileNumber));
    page.SetPicture(QStringLiteral("FTPicture"), source.Picture);
    page.SetText(QStringLiteral("TCursorMemo"), source.TimeText);
    page.SetText(QStringLiteral("FCursorMemo"), source.FreqText);
    page.SetText(QStringLiteral("HCursorMemo"), source.DepthText);
    page.SetText(QStringLiteral("VisibleChannelMemo"), QString::number(source.Channel + 1));
    page.SetText(QStringLiteral("SampleLenMemo"), SampleLenToStr(source.SampleCount));
    page.SetText(QStringLiteral("VelocityMemo"), VelocityToStr(source.Velocity));
    page.SetText(QStringLiteral("WindowWdtMemo"), QString::number(source.WindowWidth));
}
