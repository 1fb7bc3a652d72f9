#pragma once
// The chart panel of the data page: the time view above the spectrum view, each half of the
// height, over one shared view state. Loading a record, clearing and the display flags all
// go through here; nothing here knows the main window, so a report can build the panel
// offscreen, show a record in it and paint it.

#include "Guarded.h"
#include "ViewState.h"

#include <QStringList>
#include <QWidget>

class TFreqView;
class TTimeView;

class TChartPanel : public QWidget {
    Q_OBJECT
public:
    // The handlers of the panel's controls run through `run` (by default directly).
    explicit TChartPanel(const TDisplayFlags& flags = {}, THandlerRunner run = {}, QWidget* parent = nullptr);

    TTimeView* TimeView;
    TFreqView* FreqView;

    const TViewState& State() const { return s_; }
    const TMeasureResult& CurrentMeasure() const { return s_.CurrentMeasure; }
    const TDisplayFlags& Flags() const { return s_.Flags; }
    // With the gain and velocity kept, the values in force among them.
    TViewOptions Options() const;
    double FGain() const { return s_.FGain; }
    double FVelocity() const { return s_.FVelocity; }
    const TSpectra& Spectra() const { return s_.Spectra; }

    // The record of the current row: the values in force are taken from it, both spectra are
    // computed, the cursors go to their start and both views are redrawn.
    void ShowRecord(TMeasureResult record);
    // No record (it could not be decoded, or there is none): everything cleared.
    void ShowNoRecord();
    void ClearInfo();
    void ClearGraphics();
    void ClearCursors();

    // Column 1 of the parameter grid: Fs, N, gain, velocity and base of the record, or five
    // empty texts while no record is shown.
    QStringList ResultInfo() const;

    // The display flags' handlers, shared by the actions and the panel's own controls.
    void SetSignalShown(int channel, bool shown);
    void SetInvertSignal(bool invert);
    void SetSpectrumShown(int channel, bool shown);
    void SetSpectrumType(SpectrumAbscissa type);
    // The view window and the gain and velocity kept between records; a new view window redraws
    // both views. Kept values come into force while none are.
    void SetOptions(const TViewOptions& options);
    // New channel colours for both views.
    void SetColors(const std::array<TColor, 3>& colors);
    void RefreshColors();

signals:
    void infoChanged();  // the parameter grid's texts changed
    void flagsChanged(); // one of the panel's check boxes or radio buttons changed a flag

private:
    TViewState s_;
};
