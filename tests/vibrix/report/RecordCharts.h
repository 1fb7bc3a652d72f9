#pragma once
// A generated record on two charts as the main window shows it: the time chart with the three
// channels and both cursor lines, the spectrum chart with both spectra and the f0 line.

#include "DownloadUnit.h"
#include "FFTUnit.h"
#include "MainReport.h"
#include "MeasureResult.h"
#include "SpectrumView.h"
#include "SsmGenerator.h"
#include "TimeDomain.h"

#include <QTemporaryDir>
#include <qcustomplot.h>

#include <array>

struct ChartView {
    std::array<bool, 3> ChSignalShow{true, true, true};
    bool InvertSignal = true;
    std::array<bool, 2> ChSpectrumShow{true, true};
    SpectrumAbscissa SpectrumType = SpectrumAbscissa::Frequency;
    double Gain = 0, Velocity = 4000;
    int T0 = 0, T1 = 300, F0 = 60; // track bar positions
    std::array<QColor, 3> Colors{QColor(Qt::blue), QColor(Qt::red), QColor(Qt::black)};
};

class RecordCharts {
public:
    // A record of pile `pile` on site `site`, measured at 2024-03-15 10:30:15.
    explicit RecordCharts(int site = 4, int pile = 300) {
        ssmgen::FileSpec recipe;
        recipe.siteNumber = std::uint8_t(site);
        recipe.pileNumber = std::uint16_t(pile);
        recipe.pile.profile = {{pilemodel::SectionKind::Narrowing, 5.0, 2.0, 0.55}};
        const QString file = dir.filePath("m.ssm");
        std::string error;
        if (ssmgen::write(file.toStdString(), recipe, error))
            Record =
                MeasureFile(file).record(toDateTimeValue(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 15))));
        for (QCustomPlot* c : {&Time, &Freq}) {
            c->resize(900, 400);
            c->plotLayout()->insertRow(0);
        }
        Time.plotLayout()->addElement(0, 0, new QCPTextElement(&Time, QStringLiteral("Сигнал")));
        Freq.plotLayout()->addElement(0, 0, new QCPTextElement(&Freq, QStringLiteral("Спектр")));
        for (int i = 0; i < 5; ++i)
            Time.addGraph();
        for (int i = 0; i < 3; ++i)
            Freq.addGraph();
        Time.xAxis->setLabel(QStringLiteral("t, мс"));
        Time.yAxis->setLabel(QStringLiteral("x[t]"));
    }

    void Show(const ChartView& v) {
        Time.setLocale(QLocale());
        Freq.setLocale(QLocale());
        const double period = 1.0 / Record.SampleFreq;
        Spectra = ComputeSpectra(Fft, Record.Ch0Data, Record.Ch1Data, Record.SampleLen, Record.SampleFreq);
        const auto time = ShowTimeDomain({Record.Ch0Data, Record.Ch1Data, Record.HamData, Record.SampleLen,
                                          period, v.Gain, v.InvertSignal});
        for (int k = 0; k < 3; ++k)
            setSeries(Time.graph(k), time[std::size_t(k)], v.Colors[std::size_t(k)],
                      v.ChSignalShow[std::size_t(k)]);
        Time.rescaleAxes(true);
        cursorLine(Time, 3, v.T0 * period * 1000);
        cursorLine(Time, 4, v.T1 * period * 1000);
        TimeCursorText = GetTimeCursorStr(v.T0, v.T1, period, v.Velocity);

        const bool depth = v.SpectrumType == SpectrumAbscissa::Depth;
        Freq.xAxis->setLabel(depth ? QStringLiteral("H, м") : QStringLiteral("f, Гц"));
        Freq.yAxis->setLabel(depth ? QStringLiteral("X[H]") : QStringLiteral("X[f]"));
        const auto freq = ShowFreqDomain(Spectra, v.Velocity, v.SpectrumType);
        for (int k = 0; k < 2; ++k)
            setSeries(Freq.graph(k), freq[std::size_t(k)], v.Colors[std::size_t(k)],
                      v.ChSpectrumShow[std::size_t(k)]);
        Freq.rescaleAxes(true);
        if (!depth)
            Freq.xAxis->setRange(0, 8000);
        cursorLine(Freq, 2, FreqCursorX(Spectra, v.Velocity, v.SpectrumType, v.F0).value_or(0));
        FreqCursorText = GetFreqCursorStr(Spectra, v.Velocity, v.SpectrumType, v.F0);
        Time.replot();
        Freq.replot();
    }

    // What the main window hands to its report after Show(view).
    TMainReportSource Source(const ChartView& v, const QString& comment = QString()) {
        TMainReportSource source;
        source.TimeChart = &Time;
        source.FreqChart = &Freq;
        source.Record = &Record;
        source.ChSignalShow = v.ChSignalShow;
        source.InvertSignal = v.InvertSignal;
        source.ChSpectrumShow = v.ChSpectrumShow;
        source.SpectrumType = v.SpectrumType;
        source.ChColor = v.Colors;
        source.Gain = v.Gain;
        source.Velocity = v.Velocity;
        source.TimeCursorText = TimeCursorText;
        source.FreqCursorText = FreqCursorText;
        source.Comment = comment;
        return source;
    }

    QTemporaryDir dir;
    TMeasureResult Record;
    TSpectra Spectra;
    TComplexFFT Fft;
    QCustomPlot Time, Freq;
    QString TimeCursorText, FreqCursorText;

private:
    static void setSeries(QCPGraph* g, const ChartSeries& s, const QColor& colour, bool visible) {
        g->setData(s.X, s.Y, true);
        g->setPen(QPen(colour));
        g->setVisible(visible);
    }
    static void cursorLine(QCustomPlot& c, int graph, double x) {
        const QCPRange y = c.yAxis->range();
        c.graph(graph)->setData({x, x}, {y.lower, y.upper}, true);
        c.graph(graph)->setPen(QPen(Qt::black));
    }
};
