// vibrix-cli: batch import, listing, export and spectrograms of vibrix projects.
#include "VibrixCommands.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
    // Fonts and pictures need a GUI application; no window is ever shown.
    cli::prepareHeadlessGui();
    QGuiApplication app(argc, argv);
    using namespace vibrixcli;
    return cli::dispatch(app.arguments(), kUsage,
                         {{"import", {}, Import},
                          {"list", {}, List},
                          {"export-signal", {}, ExportSignal},
                          {"export-spectrum", {}, ExportSpectrum},
                          {"spectrogram", {"channel", "width"}, Spectrogram}});
}
