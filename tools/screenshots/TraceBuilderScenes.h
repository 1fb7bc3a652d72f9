#pragma once
// The pictures of the trace builder's guide: the main window on a copy of the demo folder (a
// channel on show, then the traces of site 2, channel 1), the folder dialog of the extraction,
// and the seismo trace of a folder of 300 channels on screen and on its first printed page.

#include "ScreenshotRun.h"
#include "TForm1.h"
#include "tDDCES.h"

#include <memory>

class TraceBuilderScenes {
public:
    TraceBuilderScenes(const ScreenshotPlace& place, ScreenshotDialogs& dialogs);
    ~TraceBuilderScenes();

    QImage Files();
    QImage Seismo();
    QImage Spectro();
    QImage Extract();
    QImage Wide();
    QImage Page();

    static ScreenshotScenes Table(const std::shared_ptr<TraceBuilderScenes>& scenes);

private:
    // The window with a channel on show in both single charts.
    TForm1& window();
    // The window after a build of the traces of site 2, channel 1, on the tab `sheet`.
    QImage tracesOn(const char* sheet);
    // A second window on a generated folder of 150 files (300 channels), all of them built.
    TForm1& wideWindow();

    ScreenshotDialogs& dialogs_;
    ScreenshotPlace place_;
    TForm1::Places places_;
    tDDCES engine_;
    std::unique_ptr<TForm1> window_;
    bool built_ = false;
    tDDCES wideEngine_;
    std::unique_ptr<TForm1> wide_;
};
