#include "tTraceSet.h"

tTraceTab::tTraceTab(QTabWidget& tabs, const QString& caption, int scrollMin, int scrollMax, int scrollPage)
    : sheet(new QWidget) {
    tabs.addTab(sheet, caption);
    picture = new TracePicture(kPictureSize, sheet);
    scroll = new QScrollBar(Qt::Horizontal, sheet);
    scroll->setRange(scrollMin, scrollMax);
    scroll->setPageStep(scrollPage);
    scroll->setValue(scrollMax);
    track = new QSlider(Qt::Vertical, sheet);
    track->setRange(5, 50);
    track->setInvertedAppearance(true); // 5 m at the top, like the depth it sets
    track->setTickInterval(5);
    track->setValue(50);
}

tTraceSet::tTraceSet(tAppInt* app, const tTraceTab& seismo, const tTraceTab& spectro)
    : seismoImage(app, seismo.picture, seismo.scroll, seismo.track, seismo.sheet),
      seismoProcessing(&seismoImage), seismoValues(app),
      spectroImage(app, spectro.picture, spectro.scroll, spectro.track, spectro.sheet),
      spectroProcessing(&spectroImage), spectroValues(app), server(app) {
    for (tTrcI_Columns* image :
         {static_cast<tTrcI_Columns*>(&seismoImage), static_cast<tTrcI_Columns*>(&spectroImage)}) {
        image->horizontal->SetSteps(app->axisSteps);
        image->vertical->SetSteps(app->axisSteps);
    }
    seismoValues.Attach(&seismoProcessing);
    spectroValues.Attach(&spectroProcessing);
    server.Add(&seismoValues);
    server.Add(&spectroValues);
}

void tTraceSet::Build(const tTrc__DataList& checked) {
    seismoImage.conf.SetColumns(checked);
    spectroImage.conf.SetColumns(checked);
    server.node.SetChanged();
    server.Reset();
    server.BuildChanged(checked);
}
