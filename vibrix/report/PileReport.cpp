#include "PileReport.h"

#include "DownloadUnit.h"
#include "NumberFormat.h"
#include "TPileAnalyser.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace {

// The charts' sizes on the page, so that a chart is laid out once for the place it is drawn in.
constexpr QSize kAverageSize(716, 400);
constexpr QSize kMobilitySize(716, 250);
constexpr double kLeastReach = 5;     // m (or ms): the shortest stretch the average is drawn over
constexpr double kReachMargin = 1.25; // beyond the deepest mark
const QColor kSensor1(Qt::blue);
const QColor kToe(0, 128, 0);
const QColor kDefect(200, 0, 0);

QString number(const QString& pattern, double v) {
    return FormatFloat(pattern, v);
}

QCustomPlot* newPlot(QSize size) {
    auto* plot = new QCustomPlot;
    plot->resize(size);
    plot->setNoAntialiasingOnDrag(true);
    return plot;
}

void clearPlot(QCustomPlot& plot) {
    plot.clearGraphs();
    plot.clearItems();
    plot.clearPlottables();
    plot.xAxis2->setVisible(false);
    plot.yAxis2->setVisible(false);
}

// A vertical line across the chart at `x` with its name at the top; the names of successive marks
// step down so that marks close together stay readable.
void addMark(QCustomPlot& plot, double x, const QString& name, const QPen& pen) {
    const int index = plot.itemCount() / 2;
    auto* line = new QCPItemStraightLine(&plot);
    line->setPen(pen);
    line->point1->setCoords(x, 0);
    line->point2->setCoords(x, 1);
    auto* text = new QCPItemText(&plot);
    text->position->setTypeX(QCPItemPosition::ptPlotCoords);
    text->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
    text->position->setCoords(x, 0.02 + 0.06 * (index % 3));
    text->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setPadding(QMargins(3, 0, 0, 0));
    text->setColor(pen.color());
    text->setBrush(QBrush(QColor(255, 255, 255, 210)));
    text->setText(name);
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

void FillPileReportChart(QCustomPlot& plot, const TPileAnalysis& r) {
    clearPlot(plot);
    const bool byDepth = r.waveSpeed > 0;
    // Where a time in ms lies along the bottom axis.
    const auto x = [&](double ms) { return byDepth ? r.Depth(ms) : ms; };
    double reach = kLeastReach;
    if (byDepth && r.verdict.length)
        reach = std::max(reach, *r.verdict.length);
    if (r.toeTime)
        reach = std::max(reach, x(*r.toeTime));
    for (const TDefectMark& d : r.verdict.defects)
        reach = std::max(reach, x(d.time));
    reach *= kReachMargin;
    const double from = -0.04 * reach;

    plot.xAxis->setLabel(byDepth ? QStringLiteral("глубина, м") : QStringLiteral("t, мс"));
    plot.yAxis->setLabel(QStringLiteral("v, отн. ед."));
    plot.xAxis->setRange(from, reach);
    if (byDepth) {
        plot.xAxis2->setVisible(true);
        plot.xAxis2->setLabel(QStringLiteral("t, мс"));
        plot.xAxis2->setRange(r.Time(from), r.Time(reach));
    }
    double top = 0;
    if (r.curves) {
        const TProcessedCurves& c = *r.curves;
        const std::vector<double>& v = c.amplified[0];
        QVector<double> xs, ys;
        for (std::size_t i = 0; i < v.size(); ++i) {
            const double at = x(c.TimeOf(int(i)));
            if (at < from)
                continue;
            if (at > reach)
                break;
            xs << at;
            ys << v[i];
            top = std::max(top, std::abs(v[i]));
        }
        QCPGraph* graph = plot.addGraph();
        graph->setPen(QPen(kSensor1, 1.2));
        graph->setData(xs, ys, true);
    }
    top = top > 0 ? top * 1.1 : 1;
    plot.yAxis->setRange(-top, top);

    if (byDepth && r.verdict.length)
        addMark(plot, *r.verdict.length, QStringLiteral("L = ") + pilereport::Length(r.verdict.length),
                QPen(Qt::darkGray, 1, Qt::DashLine));
    if (r.toeTime)
        addMark(plot, x(*r.toeTime), QStringLiteral("подошва"), QPen(kToe, 1.2));
    for (const TDefectMark& d : r.verdict.defects)
        addMark(plot, x(d.time), d.kind, QPen(kDefect, 1.2));
}

void FillMobilityReportChart(QCustomPlot& plot, const TPileAnalysis& r) {
    clearPlot(plot);
    plot.xAxis->setLabel(QStringLiteral("f, Гц"));
    plot.yAxis->setLabel(QStringLiteral("|H1|"));
    const double upTo = r.verdict.processing.bandHigh * kReachMargin;
    plot.xAxis->setRange(0, upTo);
    if (!r.mobility) {
        plot.yAxis->setRange(0, 1);
        return;
    }
    const TMobility& m = *r.mobility;
    // Beyond the band's end the hammer's force has faded and |H1| is mostly noise: drawn grey.
    QVector<double> f, h, fadedF, fadedH;
    double top = 0;
    for (std::size_t k = 0; k < m.magnitude.size() && double(k) * m.frequencyStep <= upTo; ++k) {
        const double at = double(k) * m.frequencyStep;
        const bool inBand = at <= m.bandEnd;
        (inBand ? f : fadedF) << at;
        (inBand ? h : fadedH) << m.magnitude[k];
        if (inBand)
            top = std::max(top, m.magnitude[k]);
    }
    QCPGraph* graph = plot.addGraph();
    graph->setPen(QPen(kSensor1, 1.2));
    graph->setData(f, h, true);
    QCPGraph* faded = plot.addGraph();
    faded->setPen(QPen(Qt::lightGray, 1));
    faded->setData(fadedF, fadedH, true);
    QVector<double> pf, ph;
    for (double peak : m.peaks) {
        const auto k = std::size_t(std::lround(peak / m.frequencyStep));
        if (k < m.magnitude.size() && peak <= upTo) {
            pf << peak;
            ph << m.magnitude[k];
        }
    }
    QCPGraph* peaks = plot.addGraph();
    peaks->setLineStyle(QCPGraph::lsNone);
    peaks->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, kDefect, 6));
    peaks->setData(pf, ph, true);
    plot.yAxis->setRange(0, top > 0 ? top * 1.1 : 1);
}

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
    FillPileReportChart(charts.Average(), r);
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
    QString toe = QStringLiteral("Подошва: не отмечена");
    if (r.toeTime)
        toe = QStringLiteral("Подошва: %1 (%2 мс)%3")
                  .arg(pilereport::Length(r.toeDepth), number("0.00", *r.toeTime),
                       r.toeAuto ? QStringLiteral(", найдена автоматически") : QString());
    page.SetText(QStringLiteral("ToeMemo"), toe);

    // Without a hammer record the chart's place stays blank.
    FillMobilityReportChart(charts.Mobility(), r);
    if (r.mobility)
        page.SetChart(QStringLiteral("MobilityChart"), charts.Mobility());
    QString mobility = QStringLiteral("Мобильность: нет записи молотка");
    if (r.mobility && r.mobility->peakSpacing)
        mobility = QStringLiteral("Мобильность: шаг резонансов %1 Гц, длина по нему %2")
                       .arg(number("0.0", *r.mobility->peakSpacing), pilereport::Length(r.mobilityLength));
    else if (r.mobility)
        mobility = QStringLiteral("Мобильность: резонансы не найдены");
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
