#pragma once
// The spectrum view of the record: both sensor spectra against frequency or depth, the f0
// cursor read as a frequency and a depth, and the check boxes and radio buttons of what is
// shown. It draws what the shared view state holds.

#include "Guarded.h"
#include "ViewState.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSlider;
class QToolButton;
class TAxisTrackBar;
class TRecordChart;

class TFreqView : public QWidget {
    Q_OBJECT
public:
    // The handlers of the view's own controls run through `run`.
    TFreqView(TViewState& state, THandlerRunner run, QWidget* parent = nullptr);

    TRecordChart* FreqChart; // series 0, 1: spectra; 2: the f0 cursor line
    TAxisTrackBar* f0Bar;    // the track bar under the chart's axis
    QSlider* f0TrackBar;     // its slider: position p is spectrum point p - 1
    QLabel* FreqCursorLabel;
    QCheckBox* Ch0SpectrumCheckBox;
    QCheckBox* Ch1SpectrumCheckBox;
    QRadioButton* FreqSpectrumRadioButton;
    QRadioButton* DepthSpectrumRadioButton;
    QToolButton* FTProcessingButton; // the window's time-frequency command, given by the window

    // The curves anew; with `keepZoom` a zoomed chart keeps showing what it showed.
    void ShowFreqDomain(bool keepZoom = false);
    void ClearFreqDomain();
    QString GetFreqCursorStr() const;
    void DrawFreqCursor();
    void RefreshFreqCursor();
    // The cursor at line 1 of the record's spectra (none: at its minimum).
    void ResetCursor();

    // The handlers of the spectrum actions and their check boxes and radio buttons.
    void SetSpectrumShown(int channel, bool shown);
    void SetSpectrumType(SpectrumAbscissa type);
    void RefreshColors();
    void ShowFlags();

signals:
    void flagsChanged();

private:
    QWidget* makeSideColumn();
    std::optional<double> cursorX() const;

    TViewState& s_;
    THandlerRunner run_;
    std::array<ChartSeries, 2> series_; // the last series shown, kept for their storage
};
