#pragma once
// The time-frequency window: the record's two sensor signals, the spectrogram of one of them
// with a time and a frequency cursor, the spectrum under the time cursor, and the report.

#include "FTProcessingUnit.h"
#include "ReportPreview.h"
#include "SpectrogramPicture.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>
#include <span>

class QButtonGroup;
class QComboBox;
class QCustomPlot;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class TReportPage;
class UserDialogs;

class TFTProcessingForm : public QDialog {
public:
    explicit TFTProcessingForm(UserDialogs& dialogs, QWidget* parent = nullptr);

    // What the main window hands over before showing the window, in this order.
    void SetResultInfo(double dateTime, int siteNumber, int pileNumber);
    void SetSignals(std::span<const float> ch0, std::span<const float> ch1);
    void SetColors(const QColor& ch0, const QColor& ch1);
    void SetVelocity(double velocity);
    void SetSampleFreq(double sampleFreq);

    // How the report's preview is titled and where it saves pages.
    TReportPreviewOptions ReportOptions{QStringLiteral("Просмотр отчёта: ЧВ-анализ"), {}, {}, {}};

    // Fills a page of the time-frequency report from what the window shows.
    void FTReportManualBuild(TReportPage& page) const;

    bool Ready() const { return FReady; }
    const QImage& SpectrogramImage() const { return FPicture.Image(); }
    const TFTProcessing& Processing() const { return FProcessing; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void FormShow();
    void ShowSignals();
    void ShowCursorSpectrum();
    void SetTimeCursor(int column);
    void SetFreqCursor(int row);
    void ResetResult();
    void SetResultReady();
    void FillWindowWidths();

    void sbCalcClick();
    void sbReportClick();
    void rbChClick(int tag);
    void cbWindowWdtChange(int index);
    void eVelocityEnter();
    void tbTChange(int position);
    void tbFChange(int position);
    // Runs a handler through the error guard of the program.
    std::function<void()> Guarded(std::function<void()> handler);

    UserDialogs& FDialogs;
    TFTProcessing FProcessing;
    TSpectrogramPicture FPicture;
    double FDateTime = 0;
    int FSiteNumber = 0, FPileNumber = 0;
    std::array<QColor, 2> FColors{QColor(Qt::red), QColor(Qt::blue)};
    bool FReady = false;
    bool FShown = false;

    QCustomPlot* chTime = nullptr;
    QCustomPlot* chFreq = nullptr;
    QWidget* imgSpectrogram = nullptr;
    QSlider* tbT = nullptr;
    QSlider* tbF = nullptr;
    QLabel* lblT = nullptr;
    QLabel* lblF = nullptr;
    QLabel* lblH = nullptr;
    QRadioButton* rbCh0 = nullptr;
    QRadioButton* rbCh1 = nullptr;
    QButtonGroup* rbCh = nullptr;
    QLineEdit* eVelocity = nullptr;
    QComboBox* cbWindowWdt = nullptr;
    QPushButton* sbCalc = nullptr;
    QPushButton* sbReport = nullptr;
    QPushButton* sbClose = nullptr;
};
