#include "PileReport.h"

#include "PileChart.h"
#include "PileTexts.h"
#include "TPileAnalyser.h"

#include <qcustomplot.h>

namespace {

// The charts' sizes on the page, so that a chart is laid out once for the place it is drawn in.
constexpr QSize kAverageSize(716, 370);
constexpr QSize kMobilitySize(716, 250);

QCustomPlot* newPlot(QSize size) {
    auto* plot = new QCustomPlot;
    plot->resize(size);
    plot->setNoAntialiasingOnDrag(true);
    return plot;
}

} // namespace

TPileReportCharts::TPileReportCharts() : average_(newPlot(kAverageSize)), mobility_(newPlot(kMobilitySize)) {}

TPileReportCharts::~TPileReportCharts() = default;

QString ReportHeaderText(const TReportHeader& header, bool brief) {
    QStringList parts;
    for (const TReportHeaderField& f : ReportHeaderFields()) {
        const QString& value = header.*f.field;
        if (value.isEmpty() || f.field == &TReportHeader::signer ||
            (brief && f.field != &TReportHeader::organisation && f.field != &TReportHeader::object))
            continue;
        parts << f.name + QStringLiteral(": ") + value;
    }
    return parts.join(QStringLiteral("; "));
}

void PileReportBuild(TReportPage& page, const TPileAnalysis& r, const QString& scheme,
                     TPileReportCharts& charts, const TReportHeader& header, bool briefHeader) {
    const TPileVerdict& v = r.verdict;
    page.SetText(QStringLiteral("HeaderMemo"), ReportHeaderText(header, briefHeader));
    page.SetText(QStringLiteral("SignerMemo"), header.signer);
    page.SetText(QStringLiteral("PileInfoMemo"),
                 QStringLiteral("Участок %1      Свая %2      Дата испытания: %3")
                     .arg(r.key.site)
                     .arg(r.key.pile)
                     .arg(r.firstBlow ? piletexts::Date(*r.firstBlow) : QStringLiteral("—")));
    page.SetText(QStringLiteral("DesignMemo"),
                 QStringLiteral("Длина по проекту: %1      Диаметр: %2")
                     .arg(piletexts::Length(v.length), piletexts::Length(v.diameter)));
    ShowPileAverage(charts.Average(), r, TPileChartOptions{});
    page.SetChart(QStringLiteral("PileChart"), charts.Average());
    const TProcessingParams& p = v.processing;
    page.SetText(QStringLiteral("ProcessingMemo"),
                 QStringLiteral("Удары: использовано %1 из %2      Фильтр: %3      Усиление: %4      "
                                "Скорость волны: %5")
                     .arg(r.used)
                     .arg(r.blows.size())
                     .arg(p.lowpass > 0 ? piletexts::Number("0", p.lowpass) + QStringLiteral(" Гц")
                                        : QStringLiteral("нет"),
                          piletexts::Number("0.0", p.amplify), piletexts::SpeedWithSource(r)));
    QString toe = QStringLiteral("Подошва не отмечена");
    if (r.toeTime)
        toe = QStringLiteral("Подошва: %1 (%2 мс)%3")
                  .arg(piletexts::Length(r.toeDepth), piletexts::Number("0.00", r.toeTime),
                       r.toeAuto ? QStringLiteral(", найдена автоматически")
                                 : QStringLiteral(", отмечена инженером"));
    page.SetText(QStringLiteral("ToeMemo"), toe);

    // Without a hammer record the chart's place stays blank.
    ShowPileMobility(charts.Mobility(), r);
    if (r.mobility)
        page.SetChart(QStringLiteral("MobilityChart"), charts.Mobility());
    QString mobility = QStringLiteral("Мобильность: ") + piletexts::NoHammer();
    if (r.mobility && r.mobility->peakSpacing)
        mobility =
            QStringLiteral("Мобильность: шаг резонансов %1 Гц, длина по нему %2")
                .arg(piletexts::Number("0.0", r.mobility->peakSpacing), piletexts::Length(r.mobilityLength));
    else if (r.mobility)
        mobility = QStringLiteral("Мобильность: Δf не определено");
    page.SetText(QStringLiteral("MobilityMemo"), mobility);

    const QString defects = piletexts::Defects(r);
    page.SetText(QStringLiteral("DefectsMemo"),
                 QStringLiteral("Дефекты: ") + (defects.isEmpty() ? QStringLiteral("не отмечены") : defects));
    page.SetText(QStringLiteral("ClassMemo"),
                 QStringLiteral("Класс: ") + (v.cls.isEmpty() ? QStringLiteral("не назначен")
                                                              : piletexts::ClassWithMeaning(scheme, v.cls)));
    page.SetText(QStringLiteral("RemarkMemo"),
                 QStringLiteral("Примечание: ") + (v.remark.isEmpty() ? QStringLiteral("—") : v.remark));
}

TReportPage PileReportPage(TPileAnalyser& analyser, TPileKey key, TPileReportCharts& charts) {
    TReportPage page = LoadReportLayout(QStringLiteral("PileReport"));
    const QString scheme = analyser.Verdicts().Scheme();
    PileReportBuild(page, *analyser.Analyse(key), scheme, charts, analyser.Verdicts().Header());
    return page;
}
