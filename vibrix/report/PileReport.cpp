#include "PileReport.h"

#include "DownloadUnit.h"
#include "NumberFormat.h"
#include "PileChart.h"
#include "TPileAnalyser.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace {

// The charts' sizes on the page, so that a chart is laid out once for the place it is drawn in.
constexpr QSize kAverageSize(716, 400);
constexpr QSize kMobilitySize(716, 250);

QString number(const QString& pattern, double v) {
    return FormatFloat(pattern, v);
}

QCustomPlot* newPlot(QSize size) {
    auto* plot = new QCustomPlot;
    plot->resize(size);
    plot->setNoAntialiasingOnDrag(true);
    return plot;
}

} // namespace

namespace pilereport {

QString Length(const std::optional<double>& metres) {
    return metres ? number(QStringLiteral("0.00"), *metres) + QStringLiteral(" м") : QStringLiteral("—");
}

QString Speed(const TPileAnalysis& r) {
    if (!(r.waveSpeed > 0))
        return QStringLiteral("—");
    return VelocityToStr(r.waveSpeed) + QStringLiteral(" м/с (") + SpeedSourceText(r.waveSpeedSource) + ")";
}

QString Defects(const TPileAnalysis& r) {
    QStringList list;
    for (const TDefectMark& d : r.verdict.defects)
        list << (r.waveSpeed > 0 ? Length(r.Depth(d.time)) : number("0.00", d.time) + QStringLiteral(" мс")) +
                    QLatin1Char(' ') + d.kind;
    return list.join(QStringLiteral("; "));
}

QString Date(double dateTime) {
    return fromDateTimeValue(dateTime).toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace pilereport

TPileReportCharts::TPileReportCharts() : average_(newPlot(kAverageSize)), mobility_(newPlot(kMobilitySize)) {}

TPileReportCharts::~TPileReportCharts() = default;

void PileReportBuild(TReportPage& page, const TPileAnalysis& r, const QString& scheme,
                     TPileReportCharts& charts) {
    const TPileVerdict& v = r.verdict;
    page.SetText(QStringLiteral("PileInfoMemo"),
                 QStringLiteral("Участок %1      Свая %2      Дата испытания: %3")
                     .arg(r.key.site)
                     .arg(r.key.pile)
                     .arg(r.firstBlow ? pilereport::Date(*r.firstBlow) : QStringLiteral("—")));
    page.SetText(QStringLiteral("DesignMemo"),
                 QStringLiteral("Длина по проекту: %1      Диаметр: %2")
                     .arg(pilereport::Length(v.length), pilereport::Length(v.diameter)));
    ShowPileAverage(charts.Average(), r, TPileChartOptions{});
    page.SetChart(QStringLiteral("PileChart"), charts.Average());
    const TProcessingParams& p = v.processing;
    page.SetText(
        QStringLiteral("ProcessingMemo"),
        QStringLiteral("Удары: использовано %1 из %2      Фильтр: %3      Усиление: %4      "
                       "Скорость волны: %5")
            .arg(r.used)
            .arg(r.blows.size())
            .arg(p.lowpass > 0 ? number("0", p.lowpass) + QStringLiteral(" Гц") : QStringLiteral("нет"),
                 number("0.0", p.amplify), pilereport::Speed(r)));
    QString toe = QStringLiteral("Подошва не отмечена");
    if (r.toeTime)
        toe = QStringLiteral("Подошва: %1 (%2 мс)%3")
                  .arg(pilereport::Length(r.toeDepth), number("0.00", *r.toeTime),
                       r.toeAuto ? QStringLiteral(", найдена автоматически")
                                 : QStringLiteral(", отмечена инженером"));
    page.SetText(QStringLiteral("ToeMemo"), toe);

    // Without a hammer record the chart's place stays blank.
    ShowPileMobility(charts.Mobility(), r);
    if (r.mobility)
        page.SetChart(QStringLiteral("MobilityChart"), charts.Mobility());
    QString mobility = QStringLiteral("Мобильность: нет записи молотка");
    if (r.mobility && r.mobility->peakSpacing)
        mobility = QStringLiteral("Мобильность: шаг резонансов %1 Гц, длина по нему %2")
                       .arg(number("0.0", *r.mobility->peakSpacing), pilereport::Length(r.mobilityLength));
    else if (r.mobility)
        mobility = QStringLiteral("Мобильность: Δf не определено");
    page.SetText(QStringLiteral("MobilityMemo"), mobility);

    const QString defects = pilereport::Defects(r);
    page.SetText(QStringLiteral("DefectsMemo"),
                 QStringLiteral("Дефекты: ") + (defects.isEmpty() ? QStringLiteral("не отмечены") : defects));
    const QString meaning = classscheme::Meaning(scheme, v.cls);
    page.SetText(QStringLiteral("ClassMemo"),
                 QStringLiteral("Класс: ") + (v.cls.isEmpty()     ? QStringLiteral("не назначен")
                                              : meaning.isEmpty() ? v.cls
                                                                  : v.cls + QStringLiteral(" — ") + meaning));
    page.SetText(QStringLiteral("RemarkMemo"),
                 QStringLiteral("Примечание: ") + (v.remark.isEmpty() ? QStringLiteral("—") : v.remark));
}

TReportPage PileReportPage(TPileAnalyser& analyser, TPileKey key, TPileReportCharts& charts) {
    TReportPage page = LoadReportLayout(QStringLiteral("PileReport"));
    const QString scheme = analyser.Verdicts().Scheme();
    PileReportBuild(page, analyser.Analyse(key), scheme, charts);
    return page;
}
