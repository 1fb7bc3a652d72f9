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
const QString kBlowLayer = QStringLiteral("blows");
const char* const kLabelTextProperty = "pileMarkText"; // a mark label's text without its note
constexpr double kMarkWidth = 2, kSelectedMarkWidth = 3.5;
constexpr QMargins kDepthMargins(64, 0, 16, 0); // left and right: the average and the profile alike

// The average and the profile under it keep the same margins at the sides, so that a depth stands
// at the same column of both.
void alignDepth(QCustomPlot& chart) {
    chart.axisRect()->setAutoMargins(QCP::msTop | QCP::msBottom);
    chart.axisRect()->setMargins(kDepthMargins);
}

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
    label->setProperty(kLabelTextProperty, text);
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

void SelectPileMark(QCustomPlot& chart, std::optional<int> selected) {
    for (int defect = -1;; ++defect) {
        auto* line = itemNamed<QCPItemStraightLine>(chart, PileMarkName(defect));
        if (!line) {
            if (defect < 0)
                continue; // no toe: the defects all the same
            return;
        }
        QPen pen = line->pen();
        pen.setWidthF(defect == selected ? kSelectedMarkWidth : kMarkWidth);
        line->setPen(pen);
        if (auto* label = itemNamed<QCPItemText>(chart, labelName(defect))) {
            QFont font = label->font();
            font.setBold(defect == selected);
            label->setFont(font);
        }
    }
}

void NotePileMark(QCustomPlot& chart, std::optional<int> noted, const QString& note) {
    for (int i = 0; i < chart.itemCount(); ++i) {
        auto* label = qobject_cast<QCPItemText*>(chart.item(i));
        if (!label || !label->property(kLabelTextProperty).isValid())
            continue;
        const QString text = label->property(kLabelTextProperty).toString();
        label->setText(noted && label->objectName() == labelName(*noted) && !note.isEmpty()
                           ? text + QStringLiteral("  ") + note
                           : text);
    }
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
    alignDepth(chart);
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
    if (options.blows) {
        // Faint, under the average and its companions: a layer of their own below theirs.
        if (!chart.layer(kBlowLayer))
            chart.addLayer(kBlowLayer, chart.layer(QStringLiteral("main")), QCustomPlot::limBelow);
        const std::vector<std::vector<double>> blows = a.BlowCurves();
        QColor faint = options.colors[0];
        faint.setAlpha(70);
        for (std::size_t b = 0; b < blows.size(); ++b) {
            QCPGraph* g = chart.addGraph(chart.xAxis, chart.yAxis);
            g->setName(QStringLiteral("blow%1").arg(b));
            g->setLayer(kBlowLayer);
            g->setPen(QPen(faint, 1));
            g->setAdaptiveSampling(true);
            if (blows[b].size() == n)
                g->setData(depth, part(blows[b]), true);
        }
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
                QPen(QColor(0, 120, 0), kMarkWidth, a.toeAuto ? Qt::DashDotLine : Qt::SolidLine));
    // A mark the first pass proposed and the engineer took as it was: dash-dotted, and it says so.
    for (std::size_t i = 0; i < a.verdict.defects.size(); ++i) {
        const TDefectMark& d = a.verdict.defects[i];
        addMark(chart, int(i), a.Depth(d.time),
                d.firstPass ? d.kind + QStringLiteral(" (первый проход)") : d.kind,
                QPen(QColor(220, 110, 0), kMarkWidth, d.firstPass ? Qt::DashDotLine : Qt::SolidLine));
    }
}

namespace {

// Whether the verdict holds the finding already: a mark of the first pass's at its time, or for a
// length (short, long) the class the first pass proposed.
bool taken(const TPileVerdict& v, const TFirstPassResult& r, const TFinding& f) {
    if (f.kind == findingkind::kShort || f.kind == findingkind::kLong)
        return v.classFirstPass;
    const double time = r.speed > 0 ? 2000 * f.depth / r.speed : -1;
    return std::any_of(v.defects.begin(), v.defects.end(), [time](const TDefectMark& m) {
        return m.firstPass && std::abs(m.time - time) < 1e-3;
    });
}

QCPItemText* cornerText(QCustomPlot& chart, const QString& name, const QString& text, const QColor& color) {
    auto* item = new QCPItemText(&chart);
    item->setObjectName(name);
    item->position->setType(QCPItemPosition::ptAxisRectRatio);
    item->position->setCoords(0.98, 0.06);
    item->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);
    item->setText(text);
    item->setColor(color);
    item->setLayer(QStringLiteral("legend"));
    item->setBrush(QColor(255, 255, 255, 220));
    item->setPadding(QMargins(4, 1, 4, 1));
    item->setSelectable(false);
    return item;
}

} // namespace

double FirstPassDepth(const TPileAnalysis& a, const TFirstPassResult& r, double depth) {
    return r.speed > 0 && a.waveSpeed > 0 ? a.Depth(2000 * depth / r.speed) : depth;
}

QString FindingName(const TFinding& f) {
    return piletexts::FindingKind(f.kind) + QLatin1Char(' ') + FormatFloat(QStringLiteral("0.00"), f.ratio);
}

void ShowFirstPassFindings(QCustomPlot& chart, const TPileAnalysis& a, const TFirstPassResult& r) {
    for (int i = chart.itemCount() - 1; i >= 0; --i)
        if (chart.item(i)->objectName().startsWith(QStringLiteral("finding")))
            chart.removeItem(i);
    if (!a.curves || !(a.waveSpeed > 0))
        return;
    const QPen pen(QColor(120, 120, 120), 1.5, Qt::DashLine);
    int n = 0;
    for (const TFinding& f : r.findings) {
        if (taken(a.verdict, r, f))
            continue;
        const double depth = FirstPassDepth(a, r, f.depth);
        auto* line = new QCPItemStraightLine(&chart);
        line->setObjectName(QStringLiteral("findingMark%1").arg(n));
        line->setPen(pen);
        line->setSelectable(false);
        line->point1->setCoords(depth, 0);
        line->point2->setCoords(depth, 1);
        // Named lower than the engineer's marks, so that the two do not cover each other.
        auto* label = new QCPItemText(&chart);
        label->setObjectName(QStringLiteral("findingLabel%1").arg(n));
        label->setText(FindingName(f));
        label->setColor(pen.color());
        label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->position->setTypeX(QCPItemPosition::ptPlotCoords);
        label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        label->position->setCoords(depth, 0.1 + 0.06 * (n % 3));
        label->setSelectable(false);
        ++n;
    }
}

QString ProfileText(const TFirstPassResult& r) {
    if (!r.match)
        return QStringLiteral("невязка не определена");
    // Tenths where a good match would otherwise read as none at all.
    const double percent = 100 * *r.match;
    return QStringLiteral("невязка %1 %")
        .arg(FormatFloat(percent < 10 ? QStringLiteral("0.0") : QStringLiteral("0"), percent));
}

void ShowPileProfile(QCustomPlot& chart, const TPileAnalysis& a, const TFirstPassResult* r,
                     const QCPRange& depths) {
    chart.setLocale(QLocale());
    chart.clearGraphs();
    chart.clearItems();
    alignDepth(chart);
    chart.xAxis->setRange(depths);
    chart.xAxis->setLabel(QString());
    const bool diameter = r && r->diameter && *r->diameter > 0;
    chart.yAxis->setLabel(diameter ? QStringLiteral("D экв., м") : QStringLiteral("Z/Z0"));
    chart.yAxis->ticker()->setTickCount(3); // a low chart: a few numbers that can be read
    if (!r || r->profile.empty()) {
        chart.yAxis->setRange(0, diameter ? *r->diameter * 1.5 : 1.5);
        cornerText(chart, QStringLiteral("profileText"),
                   r ? QStringLiteral("Профиль импеданса не построен")
                     : QStringLiteral("Первый проход ещё не прочитал сваю"),
                   QColor(140, 140, 140));
        return;
    }
    const auto value = [&](const TProfilePoint& p) {
        return diameter ? r->EquivalentDiameter(p).value_or(0) : p.ratio;
    };
    QVector<double> x, y;
    double top = diameter ? *r->diameter : 1;
    for (const TProfilePoint& p : r->profile) {
        x.push_back(FirstPassDepth(a, *r, p.depth));
        y.push_back(value(p));
        top = std::max(top, y.back());
    }
    // The last segment runs down to the toe.
    const double end =
        FirstPassDepth(a, *r, r->toeDepth.value_or(r->length.value_or(r->profile.back().depth)));
    if (end > x.back()) {
        x.push_back(end);
        y.push_back(y.back());
    }
    auto* reference = new QCPItemStraightLine(&chart);
    reference->setObjectName(QStringLiteral("profileReference"));
    reference->setPen(QPen(QColor(170, 170, 170), 1, Qt::DotLine));
    reference->point1->setCoords(0, diameter ? *r->diameter : 1);
    reference->point2->setCoords(1, diameter ? *r->diameter : 1);
    reference->setSelectable(false);
    QCPGraph* profile = chart.addGraph(chart.xAxis, chart.yAxis);
    profile->setName(QStringLiteral("profile"));
    profile->setLineStyle(QCPGraph::lsStepLeft);
    profile->setPen(QPen(QColor(120, 60, 160), 1.5));
    profile->setData(x, y, true);
    chart.yAxis->setRange(0, top * 1.2);
    cornerText(chart, QStringLiteral("profileText"), ProfileText(*r), QColor(60, 60, 60));
}

QString MobilityText(const TPileAnalysis& a) {
    if (!a.mobility) {
        QString none = piletexts::NoHammer();
        none[0] = none[0].toUpper();
        return none + QStringLiteral(":\nмобильность не вычислена"); // two lines: a narrow chart holds them
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
    text->setText(MobilityText(a));
    text->setLayer(QStringLiteral("legend"));
    text->setPadding(QMargins(4, 2, 4, 2));
    if (!a.mobility) { // nothing drawn: said in the plot's corner
        chart.axisRect()->setAutoMargins(QCP::msAll);
        text->position->setCoords(0.98, 0.04);
        text->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);
        text->setBrush(QColor(255, 255, 255, 220));
        chart.xAxis->setRange(0, 1);
        chart.yAxis->setRange(0, 1);
        return;
    }
    // The coherence runs along the top of the plot and the peaks stand anywhere under it: the
    // spacing is written in a strip of its own above the plot, at its right end.
    const int strip = QFontMetrics(text->font()).height() + 6;
    chart.axisRect()->setAutoMargins(QCP::msLeft | QCP::msRight | QCP::msBottom);
    chart.axisRect()->setMargins(QMargins(0, strip, 0, 0));
    text->setClipToAxisRect(false);
    text->position->setCoords(1, 0);
    text->setPositionAlignment(Qt::AlignRight | Qt::AlignBottom);
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
