#pragma once
// Image object of the chart kinds: puts the curve into graph 0 of a chart, as whole vectors.

#include "Traces.h"
#include "tAppInt.h"

class QButtonGroup;
class QCPGraph;
class QCustomPlot;

class tTrcI_Chart : public tTrcI {
public:
    class tConfig : public tTrcCnf {
    public:
        tConfig(tAppInt* appParams, QCustomPlot* chartControl, QButtonGroup* dimensionGroup)
            : app(appParams), chart(chartControl), dimension(dimensionGroup) {}
        tAppInt* const app;
        QCustomPlot* const chart;
        QButtonGroup* const dimension;
    };

    tTrcI_Chart(tAppInt* app, QCustomPlot* chart, QButtonGroup* dimension)
        : tTrcI(&conf), conf(app, chart, dimension) {}

    void DrawAxes() override {}
    // Removes every point of graph 0.
    void Clear() override;

    tConfig conf;

protected:
    // Appends to graph 0 the first points / divisor points of every curve, in metres mode only
    // those from the pile head down to the depth limit, and shows them. Raises the missing-object error
    // without a chart or without application parameters.
    void PlotCurves(const IArray<tTrcV_Measure>& curves, std::size_t divisor);
    // True while the radio group selects metres.
    bool InMetres() const;

private:
    QCPGraph* Graph();
};
