#pragma once
// The charts of a pile drawn on any QCustomPlot, for the pile page and for paper: the processed
// average against depth with its marks, the design length and the amplification curve; the
// mobility against frequency with the coherence and the resonance peaks.

#include "TFirstPass.h"
#include "TPileAnalysis.h"

#include <QColor>
#include <QString>

#include <array>
#include <optional>

class QCustomPlot;
class QCPRange;

struct TPileChartOptions {
    bool sensor2 = false;
    bool hammer = false;
    bool blows = false; // each blow used, faint behind the average (the window's option)
    std::array<QColor, 3> colors{QColor(0, 0, 200), QColor(200, 0, 0), QColor(0, 128, 0)};
};

// The names of the mark lines on the chart: the toe, and the defects in the verdict's order.
QString PileMarkName(int defect); // -1 = the toe

// Depth along the bottom axis (m), the time from the input peak on the top one (ms). Graph 0 is
// the amplification, graphs 1 to 3 sensor 1, sensor 2 and the hammer (empty when not shown); the marks and
// the design length are straight lines, the marks on the overlay layer so that a dragged one redraws alone.
// The axes take the whole curve.
// With `blows` the blows' curves (TPileAnalysis::BlowCurves) are graphs "blow0"... after those, on a
// layer of their own under the average.
void ShowPileAverage(QCustomPlot& chart, const TPileAnalysis& analysis, const TPileChartOptions& options);
// Moves a mark line (and its label) to a depth; false when the chart has no such mark.
bool PlacePileMark(QCustomPlot& chart, int defect, double depth);
// The window's marks: the selected one (-1 = the toe, none = no mark) drawn thicker with its label
// bold, and `note` (its depth while the pointer holds it, say) after the label of `noted`.
void SelectPileMark(QCustomPlot& chart, std::optional<int> selected);
void NotePileMark(QCustomPlot& chart, std::optional<int> noted, const QString& note);
// The mark line nearest to pixel column `x` within `grip` pixels: -1 = the toe, 0.. a defect;
// none when no mark is that near.
std::optional<int> PileMarkAt(const QCustomPlot& chart, int x, int grip);

// A finding as the chart and the reports name it: its kind and its ratio, "сужение 0,62".
QString FindingName(const TFinding& f);

// A depth the first pass read at its own speed, at the speed the analysis is read with: the same
// time from the input peak.
double FirstPassDepth(const TPileAnalysis& analysis, const TFirstPassResult& r, double depth);

// The first pass's findings not yet taken into the verdict, over the chart of ShowPileAverage:
// dashed grey lines named by FindingName ("findingMark0"..., not draggable), at the depths of the
// chart's speed.
void ShowFirstPassFindings(QCustomPlot& chart, const TPileAnalysis& analysis, const TFirstPassResult& r);

// The impedance profile of the first pass under the average, on the same depth axis: Z/Z0, or the
// equivalent diameter in m when the pile has a diameter, with the match's residual in the corner.
// Without a result the chart stays empty and says why in grey. The depth axis takes `depths`.
void ShowPileProfile(QCustomPlot& chart, const TPileAnalysis& analysis, const TFirstPassResult* r,
                     const QCPRange& depths);
// The corner text of the profile chart: "невязка 4,1 %" (whole percents from 10 up).
QString ProfileText(const TFirstPassResult& r);

// |H1| against frequency on the left axis, the coherence (0..1) on the right one, the peaks found
// marked, and the spacing with the length it implies written above the plot, at its right, where
// it covers no curve. Without a mobility the chart says so in its corner.
void ShowPileMobility(QCustomPlot& chart, const TPileAnalysis& analysis);
// The corner text of the mobility chart: "Δf = 123,4 Гц → L = 10,25 м", or why there is none.
QString MobilityText(const TPileAnalysis& analysis);
