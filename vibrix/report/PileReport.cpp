#include "PileReport.h"

#include "PileChart.h"
#include "PileTexts.h"
#include "TFirstPassProject.h"
#include "TPileAnalyser.h"

#include <qcustomplot.h>

namespace {

// The charts' sizes on the page, so that a chart is laid out once for the place it is drawn in.
constexpr QSize kAverageSize(716, 300);
constexpr QSize kProfileSize(716, 82);
constexpr QSize kMobilitySize(716, 200);

QCustomPlot* newPlot(QSize size) {
    auto* plot = new QCustomPlot;
    plot->resize(size);
    plot->setNoAntialiasingOnDrag(true);
    return plot;
}

// The first pass's findings with their sizes and confidence, and how well the profile matched;
// the depths at the speed the page is read with, as the chart's marks.
QString firstPassText(const TPileAnalysis& a, const TFirstPassResult& r) {
    QStringList findings;
    for (const TFinding& f : r.findings) {
        const bool length = f.kind == findingkind::kShort || f.kind == findingkind::kLong;
        const double top = FirstPassDepth(a, r, f.depth);
        const QString where =
            f.bottom
                ? QStringLiteral("%1–%2 м").arg(piletexts::Number("0.00", top),
                                                piletexts::Number("0.00", FirstPassDepth(a, r, *f.bottom)))
                : piletexts::Length(top);
        findings << QStringLiteral("%1 %2, %3 %4, уверенность %5")
                        .arg(where, piletexts::FindingKind(f.kind),
                             length ? QStringLiteral("доля проектной длины") : QStringLiteral("Z/Z0"),
                             piletexts::Number("0.00", f.ratio), piletexts::Number("0.00", f.confidence));
    }
    QString text =
        QStringLiteral("Первый проход: ") +
        (findings.isEmpty() ? QStringLiteral("ничего не нашёл") : findings.join(QStringLiteral("; ")));
    if (r.toe.isEmpty())
        text += QStringLiteral("; подошва не видна");
    if (r.match)
        text += QStringLiteral("; ") + ProfileText(r);
    return text + QLatin1Char('.');
}

// The class with whose it is: the engineer's, or the first pass's taken as it was; and what the
// first pass proposes when the engineer has not decided.
QString classText(const TPileVerdict& v, const QString& scheme, const TFirstPassResult* r) {
    QString text = QStringLiteral("Класс: ");
    if (!v.cls.isEmpty())
        text += piletexts::ClassWithMeaning(scheme, v.cls) +
                (v.classFirstPass ? QStringLiteral(" (принято из первого прохода)")
                                  : QStringLiteral(" (назначен инженером)"));
    else
        text += QStringLiteral("не назначен");
    if (r && !r->cls.isEmpty() && (v.cls.isEmpty() || (!v.classFirstPass && v.cls != r->cls)))
        text += QStringLiteral("; первый проход предлагает %1, уверенность %2")
                    .arg(r->cls, piletexts::Number("0.00", r->classConfidence));
    return text;
}

} // namespace

std::map<TPileKey, TFirstPassResult> ReportFirstPass(TPileAnalyser& analyser, std::optional<int> site) {
    const std::vector<TFirstPassPile> piles =
        FirstPassPiles(analyser.Piles(), analyser.Measurements(), analyser.Verdicts(), site);
    const std::vector<TFirstPassResult> results =
        RunFirstPass(piles, {analyser.Verdicts().Scheme(), {}, 0, {}});
    std::map<TPileKey, TFirstPassResult> byPile;
    for (std::size_t i = 0; i < piles.size() && i < results.size(); ++i)
        byPile.emplace(TPileKey{piles[i].site, piles[i].pile}, results[i]);
    return byPile;
}

TPileReportCharts::TPileReportCharts()
    : average_(newPlot(kAverageSize)), mobility_(newPlot(kMobilitySize)), profile_(newPlot(kProfileSize)) {}

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
                     TPileReportCharts& charts, const TReportHeader& header, bool briefHeader,
                     const TFirstPassResult* firstPass) {
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
    if (firstPass)
        ShowFirstPassFindings(charts.Average(), r, *firstPass);
    page.SetChart(QStringLiteral("PileChart"), charts.Average());
    ShowPileProfile(charts.Profile(), r, firstPass, charts.Average().xAxis->range());
    page.SetChart(QStringLiteral("ProfileChart"), charts.Profile());
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
    QString defectsText =
        QStringLiteral("Дефекты: ") + (defects.isEmpty() ? QStringLiteral("не отмечены") : defects);
    if (firstPass)
        defectsText += QLatin1Char('\r') + firstPassText(r, *firstPass);
    page.SetText(QStringLiteral("DefectsMemo"), defectsText);
    page.SetText(QStringLiteral("ClassMemo"), classText(v, scheme, firstPass));
    page.SetText(QStringLiteral("RemarkMemo"),
                 QStringLiteral("Примечание: ") + (v.remark.isEmpty() ? QStringLiteral("—") : v.remark));
}

TReportPage PileReportPage(TPileAnalyser& analyser, TPileKey key, TPileReportCharts& charts) {
    TReportPage page = LoadReportLayout(QStringLiteral("PileReport"));
    const QString scheme = analyser.Verdicts().Scheme();
    const std::map<TPileKey, TFirstPassResult> firstPass = ReportFirstPass(analyser, key.site);
    const auto mine = firstPass.find(key);
    PileReportBuild(page, *analyser.Analyse(key), scheme, charts, analyser.Verdicts().Header(), false,
                    mine == firstPass.end() ? nullptr : &mine->second);
    return page;
}

TReportPage PileReportPage(TPileAnalyser& analyser, TPileKey key, TPileReportCharts& charts,
                           const TFirstPassResult& firstPass) {
    TReportPage page = LoadReportLayout(QStringLiteral("PileReport"));
    PileReportBuild(page, *analyser.Analyse(key), analyser.Verdicts().Scheme(), charts,
                    analyser.Verdicts().Header(), false, &firstPass);
    return page;
}
