#include "MainReport.h"

#include "DownloadUnit.h"
#include "MeasureResult.h"
#include "NumberFormat.h"

#include <QStringList>

namespace {

template <std::size_t N> QString shownSymbols(const std::array<bool, N>& shown) {
    static const QString symbols[] = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("М")};
    QStringList list;
    for (std::size_t i = 0; i < N; ++i)
        if (shown[i])
            list << symbols[i];
    return list.join(QStringLiteral(", "));
}

} // namespace

QString ResultInfoText(const QString& caption, double dateTime, int siteNumber, int pileNumber) {
    return caption + fromDateTimeValue(dateTime).toString(QStringLiteral("dd.MM.yyyy  hh:mm:ss")) +
           QStringLiteral("      № поля:  ") + QString::number(siteNumber) +
           QStringLiteral("      № сваи:  ") + QString::number(pileNumber);
}

QString GetVisibleChannelStr(const std::array<bool, 3>& shown) {
    return shownSymbols(shown);
}

QString GetShowSpectrumStr(const std::array<bool, 2>& shown) {
    return shownSymbols(shown);
}

QString GetInvertSignalStr(bool invert) {
    return invert ? QStringLiteral("вкл.") : QStringLiteral("выкл.");
}

QString GetSpectrumTypeStr(SpectrumAbscissa type) {
    return type == SpectrumAbscissa::Depth ? QStringLiteral("глубина") : QStringLiteral("частота");
}

void MainReportManualBuild(TReportPage& page, const TMainReportSource& source) {
    if (!source.TimeChart || !source.FreqChart || !source.Record)
        throw TReportError("Нет записи для отчёта");
    const TMeasureResult& r = *source.Record;
    page.SetChart(QStringLiteral("TimeChart"), *source.TimeChart);
    page.SetText(QStringLiteral("TimeCursorMemo"), source.TimeCursorText);
    page.SetChart(QStringLiteral("FreqChart"), *source.FreqChart);
    page.SetText(QStringLiteral("FreqCursorMemo"), source.FreqCursorText);
    page.SetText(QStringLiteral("ResultInfoMemo"),
                 ResultInfoText(QStringLiteral("Дата, время:  "), r.DateTime, r.SiteNumber, r.PileNumber));
    page.SetText(QStringLiteral("VisibleChannelMemo"), GetVisibleChannelStr(source.ChSignalShow));
    page.SetText(QStringLiteral("InvertSignalMemo"), GetInvertSignalStr(source.InvertSignal));
    page.SetText(QStringLiteral("SpectrumShowMemo"), GetShowSpectrumStr(source.ChSpectrumShow));
    page.SetText(QStringLiteral("SpectrumTypeMemo"), GetSpectrumTypeStr(source.SpectrumType));
    page.SetText(QStringLiteral("AmpMemo"), AmpToStr(source.Gain));
    page.SetText(QStringLiteral("VelocityMemo"), VelocityToStr(source.Velocity));
    page.SetText(QStringLiteral("SampleFreqMemo"), FreqToStr(r.SampleFreq));
    page.SetText(QStringLiteral("SampleLenMemo"), SampleLenToStr(r.SampleLen));
    page.SetText(QStringLiteral("BaseLenMemo"), BaseLenToStr(r.BaseLen));
    page.SetText(QStringLiteral("CommentMemo"),
                 QStringLiteral("Комментарий:") + QChar('\r') + source.Comment);
    for (int i = 0; i < 3; ++i)
        page.SetFill(QStringLiteral("Ch%1ColorShape").arg(i), source.ChColor[std::size_t(i)]);
}
