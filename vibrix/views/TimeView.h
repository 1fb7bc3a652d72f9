#pragma once
// The time view of the record: the three curves with the exponential gain, the two time
// cursors read as a time difference and a depth, the gain and velocity edits, and the check
// boxes of what is shown. It draws what the shared view state holds.

#include "Guarded.h"
#include "TimeDomain.h"
#include "ViewState.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QSlider;
class TAxisTrackBar;
class TNumberEdit;
class TRecordChart;

class TTimeView : public QWidget {
    Q_OBJECT
public:
    // The handlers of the view's own controls run through `run`.
    TTimeView(TViewState& state, THandlerRunner run, QWidget* parent = nullptr);

    TRecordChart* TimeChart; // series 0-2: channels; 3, 4: the t0 and t1 cursor lines
    TAxisTrackBar* t0Bar;    // the track bars under the chart's axis
    TAxisTrackBar* t1Bar;
    QSlider* t0TrackBar; // their sliders: positions are sample indices
    QSlider* t1TrackBar;
    QLabel* TimeCursorLabel;
    TNumberEdit* AmpEdit;
    TNumberEdit* VelocityEdit;
    QCheckBox* Ch0SignalCheckBox;
    QCheckBox* Ch1SignalCheckBox;
    QCheckBox* HamSignalCheckBox;
    QCheckBox* InvertSignalCheckBox;

    // The curves anew; with `keepZoom` a zoomed chart keeps showing what it showed.
    void ShowTimeDomain(bool keepZoom = false);
    void ClearTimeDomain();
    QString GetTimeCursorStr() const;
    void DrawTimeCursor();
    void RefreshTimeCursor();
    // Both cursors at sample 0 of a record of `samples` samples (none: at their minimum).
    void ResetCursors(int samples);
    // The edits show the values in force, or nothing.
    void ShowEdits();
    void ClearEdits();

    // The handlers of the signal actions and their check boxes.
    void SetSignalShown(int channel, bool shown);
    void SetInvertSignal(bool invert);
    void RefreshColors();
    // Check boxes from the display flags.
    void ShowFlags();

signals:
    void velocityAccepted(); // a new velocity is in force
    void flagsChanged();     // a check box changed a display flag

private:
    void AmpEditEnter();
    void VelocityEditEnter();
    QWidget* makeSideColumn();
    TAxisTrackBar* makeTrackBar(const QString& name);

    TViewState& s_;
    THandlerRunner run_;
    TGainFactors gains_;
    std::array<ChartSeries, 3> series_; // the last series shown, kept for their storage
};
