#include "tSMVW.h"

#include <qcustomplot.h>

#include "FieldColour.h"

tSMVW::tSMVW(tAppInt* app, RadioGroup* seismoGroup, RadioGroup* spectrumGroup, QCustomPlot* seismo,
             QCustomPlot* spectrum, QLineEdit* depth)
    : seismoUnits(seismoGroup), spectrumUnits(spectrumGroup), seismoChart(seismo), spectrumChart(spectrum),
      depthEdit(depth), seismoImage(app, seismo, seismoGroup->items()), seismoProcessing(&seismoImage),
      seismoValues(app, seismoGroup->items()), spectrumImage(app, spectrum, spectrumGroup->items()),
      spectrumProcessing(&spectrumImage), spectrumValues(app, spectrumGroup->items()), server(app) {
    seismoUnits->setEnabled(false);
    connect(seismoUnits->items(), &QButtonGroup::buttonClicked, this, &tSMVW::SeismoUnitClick);
    setFieldEnabled(depthEdit, false);
    spectrumUnits->setEnabled(false);
    connect(spectrumUnits->items(), &QButtonGroup::buttonClicked, this, &tSMVW::SpectrumUnitClick);
    seismoChart->setEnabled(false);
    spectrumChart->setEnabled(false);
    seismoValues.Attach(&seismoProcessing);
    server.Add(&seismoValues);
    spectrumValues.Attach(&spectrumProcessing);
    server.Add(&spectrumValues);
}

void tSMVW::Show(const tTrc__Data* channel) {
    server.built = true;
    if (!shown.empty()) {
        shown.clear();
        EnableSeismogram(false);
    }
    shown.push_back(std::make_unique<tTrc__Data>(*channel));
    server.node.SetChanged();
    EnableSeismogram(true);
    spectrumUnits->setEnabled(true);
    spectrumChart->setEnabled(true);
}

void tSMVW::EnableSeismogram(bool enabled) {
    seismoUnits->setEnabled(enabled);
    seismoChart->setEnabled(enabled);
    if (enabled)
        EnableDepthEdit();
    else
        setFieldEnabled(depthEdit, false);
}

void tSMVW::EnableDepthEdit() {
    setFieldEnabled(depthEdit, seismoUnits->ItemIndex() == 0);
}

void tSMVW::SeismoUnitClick() {
    seismoValues.config->syn.SetChanged();
    EnableDepthEdit();
}

void tSMVW::SpectrumUnitClick() {
    spectrumValues.config->syn.SetChanged();
}
