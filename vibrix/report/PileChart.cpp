#include "PileChart.h"

#include "NumberFormat.h"
#include "PileTexts.h"

#include <QLocale>

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kBeforePeak = 0.5;  // ms of the curve shown before the input peak
constexpr double kBeyondMarks = 1.3; // the depth shown: this much past the length and the marks
constexpr double kUnknownDepth = 30; // m shown of a pile of which nothing is known
const char* const kSpeedProperty = "pileWaveSpeed";
const char* const kTimeAxisProperty = "pileTimeAxisTied";
const QString kMarkLayer = QStringLiteral("overlay");

QString labelName(int defect) {
    return PileMarkName(defect) + QStringLiteral("Label");
}

// The time axis at the top follows the depth axis at the speed the chart was last drawn with.
void tieTimeAxis(QCustomPlot& chart) {
    if (chart.property(kTimeAxisProperty).toBool())
        return;
    chart.setProperty(kTimeAxisProperty, true);
    QCustomPlot* c = &chart;
    QObject::connect(chart.xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), &chart,
                     [c](const QCPRange& depth) {
                         const double speed = c->property(kSpeedProperty).toDouble();
                         if (speed > 0)
                             c->xAxis2->setRange(depth.lower * 2000 / speed, depth.upper * 2000 / speed);
                     });
}

void addMark(QCustomPlot& chart, int defect, double depth, const QString& text, const QPen& pen) {
    auto* line = new QCPItemStraightLine(&chart);
    line->setObjectName(PileMarkName(defect));
    line->setLayer(kMarkLayer);
    line->setPen(pen);
    line->setSelectable(false);
    auto* label = new QCPItemText(&chart);
    label->setObjectName(labelName(defect));
    label->setLayer(kMarkLayer);
    label->setText(text);
    label->setColor(pen.color());
    label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
    label->setSelectable(false);
    PlacePileMark(chart, defect, depth);
}

template <typename T> T* itemNamed(const QCustomPlot& chart, const QString& name) {
    for (int i = 0; i < chart.itemCount(); ++i)
        if (chart.item(i)->objectName() == name)
            return qobject_cast<T*>(chart.item(i));
    return nullptr;
}

} // namespace

QString PileMarkName(int defect) {
    return defect < 0 ? QStringLiteral("toeMark") : QStringLiteral("defectMark%1").arg(defect);
}

bool PlacePileMark(QCustomPlot& chart, int defect, double depth) {
    auto* line = itemNamed<QCPItemStraightLine>(chart, PileMarkName(defect));
    if (!line)
        return false;
    line->point1->setCoords(depth, 0);
    line->point2->setCoords(depth, 1);
    if (auto* label = itemNamed<QCPItemText>(chart, labelName(defect)))
        label->position->setCoords(depth, 0.02);
    return true;
}

std::optional<int> PileMarkAt(const QCustomPlot& chart, int x, int grip) {
    std::optional<int> nearest;
    double distance = grip + 0.5;
    for (int i = 0; i < chart.itemCount(); ++i) {
        const auto* line = qobject_cast<const QCPItemStraightLine*>(chart.item(i));
        const QString name = line ? line->objectName() : QString();
        int defect = 0;
        if (name == PileMarkName(-1))
            defect = -1;
        else if (name.startsWith(QStringLiteral("defectMark")))
            defect = name.mid(10).toInt();
        else
            continue;
        const double d = std::abs(chart.xAxis->coordToPixel(line->point1->coords().x()) - x);
        if (d < distance) {
            distance = d;
            nearest = defect;
        }
    }
    return nearest;
}

void ShowPileAverage(QCustomPlot& chart, const TPileAnalysis& a, const TPileChartOptions& options) {
    chart.setLocale(QLocale()); // the axes' numbers as the program writes them
    chart.clearGraphs();
    chart.clearItems();
    chart.setProperty(kSpeedProperty, a.waveSpeed);
    tieTimeAxis(chart);
    chart.xAxis->setLabel(QStringLiteral("Глубина, м"));
    chart.xAxis2->setLabel(QStringLiteral("Время, мс"));
    chart.xAxis2->setVisible(true);
    chart.yAxis2->setVisible(false);
    chart.yAxis->setLabel(QString());
    if (!a.curves || !(a.waveSpeed > 0)) {
        chart.xAxis->setRange(0, 1);
        chart.yAxis->setRange(-1, 1);
        return;
    }
    const TProcessedCurves& c = *a.curves;
    const std::size_t n = c.amplified[0].size();
    const int first = std::max(0, c.SampleOf(-kBeforePeak));
    QVector<double> depth;
    depth.reserve(qsizetype(n) - first);
    for (std::size_t i = std::size_t(first); i < n; ++i)
        depth.push_back(a.Depth(c.TimeOf(int(i))));
    const auto part = [&](const std::vector<double>& v) {
        return QVector<double>(v.begin() + first, v.end());
    };

    // Down to a little past the deepest of the design length and the marks; a pile of unknown
    // length as deep as piles go.
    double extent = a.verdict.length || a.toeDepth
                        ? std::max(a.verdict.length.value_or(0), a.toeDepth.value_or(0))
                        : kUnknownDepth / kBeyondMarks;
    for (const TDefectMark& d : a.verdict.defects)
        extent = std::max(extent, a.Depth(d.time));
    const double shownTo = std::min(depth.back(), extent * kBeyondMarks);
    const auto shownEnd = std::size_t(std::upper_bound(depth.begin(), depth.end(), shownTo) - depth.begin());

    // The amplification first, so that the curves are drawn over it.
    QCPGraph* gain = chart.addGraph(chart.xAxis, chart.yAxis2);
    gain->setPen(QPen(QColor(200, 200, 200), 1));
    gain->setBrush(QColor(235, 235, 235, 90));
    gain->setAntialiased(false);
    gain->setAntialiasedFill(false);
    gain->setData(depth, part(c.gain), true);
    const auto gainEnd = c.gain.begin() + first + std::ptrdiff_t(shownEnd);
    const double maxGain = c.gain.size() == n ? *std::max_element(c.gain.begin() + first, gainEnd) : 1;
    chart.yAxis2->setRange(0, maxGain * 1.05);

    const bool shown[3] = {true, options.sensor2, options.hammer};
    double lower = 0, upper = 0;
    for (int ch = 0; ch < 3; ++ch) {
        QCPGraph* g = chart.addGraph(chart.xAxis, chart.yAxis);
        g->setName(QStringLiteral("sensor%1").arg(ch));
        g->setPen(QPen(options.colors[std::size_t(ch)], ch == 0 ? 1.5 : 1));
        g->setAdaptiveSampling(true);
        const std::vector<double>& v = ch == 2 ? c.plain[2] : c.amplified[ch];
        if (!shown[ch] || v.size() != n)
            continue;
        g->setData(depth, part(v), true);
        const auto [lo, hi] =
            std::minmax_element(v.begin() + first, v.begin() + first + std::ptrdiff_t(shownEnd));
        lower = std::min(lower, *lo);
        upper = std::max(upper, *hi);
    }
    const double pad = std::max(upper - lower, 1e-9) * 0.05;
    chart.yAxis->setRange(lower - pad, upper + pad);
    chart.xAxis->setRange(depth.front(), shownTo);

    if (a.verdict.length) {
        auto* line = new QCPItemStraightLine(&chart);
        line->setObjectName(QStringLiteral("lengthLine"));
        line->setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
        line->point1->setCoords(*a.verdict.length, 0);
        line->point2->setCoords(*a.verdict.length, 1);
        line->setSelectable(false);
        // Named at the foot of the line: the toe, usually near it, is named at the top.
        auto* label = new QCPItemText(&chart);
        label->setObjectName(QStringLiteral("lengthLabel"));
        label->setText(QStringLiteral("L = %1 м").arg(FormatFloat("0.00", *a.verdict.length)));
        label->setColor(QColor(90, 90, 90));
        label->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
        label->position->setTypeX(QCPItemPosition::ptPlotCoords);
        label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        label->position->setCoords(*a.verdict.length, 0.98);
        label->setPadding(QMargins(3, 0, 3, 0));
        label->setSelectable(false);
    }
    if (a.toeTime)
        addMark(chart, -1, a.Depth(*a.toeTime), QStringLiteral("Подошва"),
                QPen(QColor(0, 120, 0), 2, a.toeAuto ? Qt::DashDotLine : Qt::SolidLine));
    // A mark the first pass proposed and the engineer took as it was: dash-dotted, and it says so.
    for (std::size_t i = 0; i < a.verdict.defects.size(); ++i) {
        const TDefectMark& d = a.verdict.defects[i];
        addMark(chart, int(i), a.Depth(d.time),
                d.firstPass ? d.kind + QStringLiteral(" (первый проход)") : d.kind,
                QPen(QColor(220, 110, 0), 2, d.firstPass ? Qt::DashDotLine : Qt::SolidLine));
    }
}

QString MobilityText(const TPileAnalysis& a) {
    if (!a.mobility) {
        QString none = piletexts::NoHammer();
        none[0] = none[0].toUpper();
        return none + QStringLiteral(": мобильность не вычислена");
    }
    if (!a.mobility->peakSpacing)
        return QStringLiteral("Δf не определено");
    QString text = QStringLiteral("Δf = %1 Гц").arg(FormatFloat("0.0", *a.mobility->peakSpacing));
    if (a.mobilityLength)
        text += QStringLiteral(" → L = %1 м").arg(FormatFloat("0.00", *a.mobilityLength));
    return text;
}

void ShowPileMobility(QCustomPlot& chart, const TPileAnalysis& a) {
    chart.setLocale(QLocale());
    chart.clearGraphs();
    chart.clearItems();
    chart.xAxis->setLabel(QStringLiteral("Частота, Гц"));
    chart.yAxis->setLabel(QStringLiteral("|H1|"));
    chart.yAxis2->setLabel(QStringLiteral("Когерентность"));
    chart.yAxis2->setVisible(true);
    auto* text = new QCPItemText(&chart);
    text->setObjectName(QStringLiteral("mobilityText"));
    text->position->setType(QCPItemPosition::ptAxisRectRatio);
    text->position->setCoords(0.98, 0.04);
    text->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);
    text->setText(MobilityText(a));
    text->setLayer(QStringLiteral("legend")); // over the curves
    text->setBrush(QColor(255, 255, 255, 220));
    text->setPadding(QMargins(4, 2, 4, 2));
    if (!a.mobility) {
        chart.xAxis->setRange(0, 1);
        chart.yAxis->setRange(0, 1);
        return;
    }
    const TMobility& m = *a.mobility;
    const double top = std::max(m.bandEnd > 0 ? m.bandEnd : 2000.0, 500.0) * 1.25;
    // Beyond the band's end the hammer's force has faded and |H1| divides noise by next to
    // nothing: that part is drawn light grey and does not set the scale.
    QVector<double> f, h, coh, fadedF, fadedH;
    double maxH = 0;
    for (std::size_t i = 0; i < m.magnitude.size() && double(i) * m.frequencyStep <= top; ++i) {
        const double at = double(i) * m.frequencyStep;
        f.push_back(at);
        coh.push_back(i < m.coherence.size() ? m.coherence[i] : 0);
        if (at <= m.bandEnd + m.frequencyStep / 2) {
            h.push_back(m.magnitude[i]);
            maxH = std::max(maxH, m.magnitude[i]);
        }
        if (at >= m.bandEnd - m.frequencyStep / 2) { // the two parts meet at the band's end
            fadedF.push_back(at);
            fadedH.push_back(m.magnitude[i]);
        }
    }
    QCPGraph* coherence = chart.addGraph(chart.xAxis, chart.yAxis2);
    coherence->setPen(QPen(QColor(160, 160, 220), 1));
    coherence->setAntialiased(false); // a faint, ragged line: smoothing it only costs time
    coherence->setData(f, coh, true);
    QCPGraph* faded = chart.addGraph(chart.xAxis, chart.yAxis);
    faded->setPen(QPen(QColor(190, 190, 190), 1));
    faded->setAntialiased(false);
    faded->setData(fadedF, fadedH, true);
    QCPGraph* magnitude = chart.addGraph(chart.xAxis, chart.yAxis);
    magnitude->setPen(QPen(QColor(0, 0, 200), 1.5));
    magnitude->setAntialiased(false);
    magnitude->setData(QVector<double>(f.begin(), f.begin() + h.size()), h, true);
    QCPGraph* peaks = chart.addGraph(chart.xAxis, chart.yAxis);
    peaks->setLineStyle(QCPGraph::lsNone);
    peaks->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QColor(200, 0, 0), 6));
    for (double p : m.peaks) {
        const auto line = std::size_t(std::lround(p / m.frequencyStep));
        if (line < m.magnitude.size())
            peaks->addData(p, m.magnitude[line]);
    }
    chart.xAxis->setRange(0, f.isEmpty() ? 1 : f.back());
    chart.yAxis->setRange(0, maxH > 0 ? maxH * 1.1 : 1);
    chart.yAxis2->setRange(0, 1.05);
}
