#pragma once
// The seismo and spectro traces of the main window: the controls of each trace tab, the chain
// of each kind built on them in the window's order, and the server that drives both.

#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>

#include "TracePicture.h"
#include "TrcI_HFSG.h"
#include "TrcI_HFSpG.h"
#include "TrcP_HFSG.h"
#include "TrcP_HFSpG.h"
#include "TrcV_HFSG.h"
#include "TrcV_HFSpG.h"
#include "tAppInt.h"
#include "tTrace_server.h"

// The controls of one trace tab with the window's initial values.
struct tTraceTab {
    static constexpr QSize kPictureSize{953, 649};

    // A tab page added to `tabs` with its picture, scroll bar and depth track bar (5 ... 50 m).
    tTraceTab(QTabWidget& tabs, const QString& caption, int scrollMin, int scrollMax, int scrollPage);

    QWidget* sheet;
    TracePicture* picture;
    QScrollBar* scroll;
    QSlider* track;
};

class tTraceSet {
public:
    // Seismo chain, spectro chain (image, processing, values, attach), then the server with both.
    tTraceSet(tAppInt* app, const tTraceTab& seismo, const tTraceTab& spectro);
    tTraceSet(const tTraceSet&) = delete;
    tTraceSet& operator=(const tTraceSet&) = delete;

    // The build button: everything is recomputed from `checked`.
    void Build(const tTrc__DataList& checked);
    // The timer: whatever changed since is recomputed.
    void Poll(const tTrc__DataList& checked) { server.Poll(checked); }
    // The save buttons: the whole trace as a picture file in `format`, BMP unless told; false
    // when it could not be written.
    bool SaveSeismo(const QString& fileName, const char* format = "BMP") {
        return seismoImage.SaveToFile(&seismoProcessing, fileName, format);
    }
    bool SaveSpectro(const QString& fileName, const char* format = "BMP") {
        return spectroImage.SaveToFile(&spectroProcessing, fileName, format);
    }
    // The print buttons: the whole trace on one landscape page; false when printing failed.
    bool PrintSeismo(QPrinter& printer) { return seismoImage.Print(&seismoProcessing, printer); }
    bool PrintSpectro(QPrinter& printer) { return spectroImage.Print(&spectroProcessing, printer); }

    tTrcI_HFSG seismoImage;
    tTrcP_HFSG seismoProcessing;
    tTrcV_HFSG seismoValues;
    tTrcI_HFSpG spectroImage;
    tTrcP_HFSpG spectroProcessing;
    tTrcV_HFSpG spectroValues;
    tTrace_server server;
};
