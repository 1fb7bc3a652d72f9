#include "tSMVW.h"

#include <qcustomplot.h>

#include "CurveValue.h"
#include "FieldColour.h"

tSMVW::tSMVW(tAppInt* app, RadioGroup* seismoGroup, RadioGroup* spectrumGroup, QCustomPlot* seismo,
             QCustomPlot* spectrum, QLineEdit* depth, QLabel* captionLabel, QLabel* readoutLabel)
    : seismoUnits(seismoGroup), spectrumUnits(spectrumGroup), seismoChart(seismo), spectrumChart(spectrum),
      depthEdit(depth), caption(captionLabel), readout(readoutLabel),
      seismoImage(app, seismo, seismoGroup->items()), seismoProcessing(&seismoImage),
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
    for (QCustomPlot* chart : {seismoChart, spectrumChart}) {
        connect(chart, &QCustomPlot::mouseMove, this, [this, chart](QMouseEvent* e) { ReadOut(chart, e); });
        chart->installEventFilter(this); // the read-out goes when the pointer leaves
    }
}

bool tSMVW::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Leave && readout)
        readout->clear();
    return QObject::eventFilter(watched, event);
}

QString tSMVW::Caption(const tTrc__Data& channel) {
    return QStringLiteral("%1 · поле %2 · свая %3 · канал %4")
        .arg(channel.origin.fileName)
        .arg(channel.origin.siteNumber)
        .arg(channel.origin.pileNumber)
        .arg(channel.channel + 1);
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
    if (caption)
        caption->setText(Caption(*channel));
}

void tSMVW::Withdraw(const tTrc__DataList& offered) {
    if (shown.empty())
        return;
    for (const ptTrc__Data& channel : offered)
        if (channel->SameChannel(*shown.front()))
            return;
    Empty(QString());
}

void tSMVW::Unreadable(const QString& reason) {
    Empty(reason);
}

void tSMVW::Empty(const QString& why) {
    shown.clear();
    seismoImage.Clear();
    spectrumImage.Clear();
    EnableSeismogram(false);
    spectrumUnits->setEnabled(false);
    spectrumChart->setEnabled(false);
    if (caption)
        caption->setText(why);
    if (readout)
        readout->clear();
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
    if (readout)
        readout->clear(); // it was read in the other unit
    seismoValues.config->syn.SetChanged();
    EnableDepthEdit();
}

void tSMVW::SpectrumUnitClick() {
    if (readout)
        readout->clear();
    spectrumValues.config->syn.SetChanged();
}

void tSMVW::ReadOut(QCustomPlot* chart, QMouseEvent* event) {
    if (!readout || shown.empty())
        return;
    const QPointF at = event->position();
    if (!chart->axisRect()->rect().contains(at.toPoint())) {
        readout->clear();
        return;
    }
    const double key = chart->xAxis->pixelToCoord(at.x());
    const std::optional<double> value = CurveValueAt(*chart->graph(0), key);
    const QLocale locale;
    const bool metres = (chart == seismoChart ? seismoUnits : spectrumUnits)->ItemIndex() == 0;
    QString abscissa;
    if (metres)
        abscissa = QStringLiteral("Глубина: %1 м").arg(locale.toString(key, 'f', 2));
    else if (chart == seismoChart)
        abscissa = QStringLiteral("Время: %1 мс").arg(locale.toString(key, 'f', 2));
    else
        abscissa = QStringLiteral("Частота: %1 Гц").arg(locale.toString(key, 'f', 0));
    // Beyond the curve's ends there is no amplitude to tell.
    readout->setText(value ? abscissa + QStringLiteral("    Амплитуда: ") + locale.toString(*value, 'g', 3)
                           : abscissa);
}
