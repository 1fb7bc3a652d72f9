#pragma once
// The single-measurement view: the channel clicked in the check list as a seismogram and a
// spectrum, each in the unit its radio group chooses, under a caption that names it. The view owns
// both chart chains and a server of its own; the window's timer polls it, nothing is drawn when a
// channel is shown.

#include <QLabel>
#include <QLineEdit>
#include <QObject>

#include "RadioGroup.h"
#include "TrcI_CHRTSG.h"
#include "TrcI_CHRTSpG.h"
#include "TrcP_CHRTSG.h"
#include "TrcP_CHRTSpG.h"
#include "TrcV_CHRTSG.h"
#include "TrcV_CHRTSpG.h"
#include "tSingleViewSink.h"
#include "tTrace_server.h"

class QCustomPlot;
class QMouseEvent;

class tSMVW : public QObject, public tSingleViewSink {
public:
    // Disables the groups, the charts and the depth edit until a channel is shown, then builds the
    // seismogram chain and the spectrum chain on the view's server, seismogram first. The caption
    // names the channel on show, the read-out line tells the values under the pointer.
    tSMVW(tAppInt* app, RadioGroup* seismoUnits, RadioGroup* spectrumUnits, QCustomPlot* seismoChart,
          QCustomPlot* spectrumChart, QLineEdit* depthEdit, QLabel* caption = nullptr,
          QLabel* readout = nullptr);

    // Keeps a copy of `channel` and marks both charts for the next poll.
    void Show(const tTrc__Data* channel) override;
    // The channel on show goes when `offered` holds it no more: both charts are emptied.
    void Withdraw(const tTrc__DataList& offered) override;
    // Both charts are emptied and the caption tells why.
    void Unreadable(const QString& reason) override;
    // The timer's part: whatever changed since the last poll is redrawn.
    void Poll() { server.Poll(shown); }

    // "<file> · поле <site> · свая <pile> · канал <channel>".
    static QString Caption(const tTrc__Data& channel);

    RadioGroup* const seismoUnits;
    RadioGroup* const spectrumUnits;
    QCustomPlot* const seismoChart;
    QCustomPlot* const spectrumChart;
    QLineEdit* const depthEdit;
    QLabel* const caption;
    QLabel* const readout;

    tTrcI_CHRTSG seismoImage;
    tTrcP_CHRTSG seismoProcessing;
    tTrcV_CHRTSG seismoValues;
    tTrcI_CHRTSpG spectrumImage;
    tTrcP_CHRTSpG spectrumProcessing;
    tTrcV_CHRTSpG spectrumValues;
    tTrc__DataList shown; // empty or the one channel on show
    tTrace_server server;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Nothing on show; the caption says `why` (empty: nothing).
    void Empty(const QString& why);
    void SeismoUnitClick();
    void SpectrumUnitClick();
    // The depth limit applies only to depths: the edit is open while the seismogram is in metres.
    void EnableDepthEdit();
    void EnableSeismogram(bool enabled);
    // The abscissa under the pointer on a chart, in the chart's unit, and the curve's amplitude there.
    void ReadOut(QCustomPlot* chart, QMouseEvent* event);
};
