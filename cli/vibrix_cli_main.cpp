// vibrix-cli: batch import, listing, export and spectrograms of vibrix projects.
#include "AutoCommand.h"
#include "PileCommands.h"
#include "VibrixCommands.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Fonts, pictures and the report's charts need a widget application; no window is ever shown.
    cli::prepareHeadlessGui();
    QApplication app(argc, argv);
    using namespace vibrixcli;
    return cli::dispatch(
        app.arguments(), kUsage,
        {{"import", {}, Import},
         {"list", {}, List},
         {"export-signal", {}, ExportSignal},
         {"export-spectrum", {}, ExportSpectrum},
         {"spectrogram", {"channel", "width"}, Spectrogram},
         {"report", {"settings"}, Report},
         {"piles", {}, Piles, {"json"}},
         {"pile", {"average", "mobility", "profile"}, Pile, {"json"}},
         {"pile-set",
          {"length", "diameter", "speed", "toe-time", "toe", "defect", "defects", "class", "remark",
           "exclude", "include", "lowpass", "amplify", "scheme"},
          PileSet},
         {"site", {"site", "csv"}, Site, {"json"}},
         {"site-report", {"site", "piles"}, SiteReport},
         {"auto", {"site"}, Auto, {"json", "apply"}},
         {"report-info",
          {"organisation", "object", "customer", "instrument", "operator", "method", "signer"},
          ReportInfo}});
}
