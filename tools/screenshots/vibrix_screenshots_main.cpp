// vibrix-screenshots DEMO_FOLDER OUT_FOLDER NAME.png ...: the pictures of vibrix's guide.
#include "VibrixScenes.h"

int main(int argc, char** argv) {
    return RunScreenshots(argc, argv, [](const ScreenshotPlace& place, ScreenshotDialogs& dialogs) {
        return VibrixScenes::Table(std::make_shared<VibrixScenes>(place, dialogs));
    });
}
