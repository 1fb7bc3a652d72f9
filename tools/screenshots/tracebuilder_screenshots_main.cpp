// tracebuilder-screenshots DEMO_FOLDER OUT_FOLDER NAME.png ...: the pictures of the trace
// builder's guide.
#include "TraceBuilderScenes.h"

int main(int argc, char** argv) {
    return RunScreenshots(argc, argv, [](const ScreenshotPlace& place, ScreenshotDialogs& dialogs) {
        return TraceBuilderScenes::Table(std::make_shared<TraceBuilderScenes>(place, dialogs));
    });
}
