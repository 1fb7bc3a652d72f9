// tracebuilder-cli: listing, extraction and trace pictures of a folder of measurement files.
#include "TraceBuilderCommands.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The catalogue works on list and check-box controls; none is ever shown.
    cli::prepareHeadlessGui();
    QApplication app(argc, argv);
    using namespace tracebuildercli;
    const QStringList filter{"site", "pile", "channels"};
    const QStringList traces = filter + QStringList{"velocity", "ku", "base", "depth", "seismo", "spectro"};
    return cli::dispatch(
        app.arguments(), kUsage,
        {{"list", filter, List}, {"extract", filter, Extract}, {"traces", traces, Traces, {"title"}}});
}
