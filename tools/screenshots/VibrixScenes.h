#pragma once
// The pictures of vibrix's guide: the main window on a project of the demo folder with one
// record on show and its cursors set, the same with the view window of the "Вид" menu, the
// import of the demo folder, the time-frequency window, the main report page, the colour dialog
// and the about box.

#include "MainUnit.h"
#include "ScreenshotRun.h"

#include <functional>
#include <memory>

class TPilePage;

class VibrixScenes {
public:
    VibrixScenes(const ScreenshotPlace& place, ScreenshotDialogs& dialogs);
    ~VibrixScenes();

    QImage Main();
    QImage Depth();
    QImage ViewWindow();
    QImage Import();
    QImage TimeFrequency();
    QImage Report();
    QImage PileReport();
    QImage Colors();
    QImage About();
    QImage Piles();
    QImage SiteSpeed();

    static ScreenshotScenes Table(const std::shared_ptr<VibrixScenes>& scenes);

private:
    // The demo project open, the record on show and its cursors set, the spectrum by frequency.
    TMainForm& window();
    void showRecord(TMainForm& w);
    // The "Сваи" page on the pile of the record on show, judged as an engineer would.
    TPilePage& pilePage();
    QString makeProject(const QString& name, bool withDemo);
    void trigger(const QString& action);
    QImage FromCommand(const QString& action, const std::function<QImage(QDialog&)>& scene);

    ScreenshotDialogs& dialogs_;
    QString root_, demo_;
    TProgramPlaces places_;
    std::unique_ptr<TMainForm> window_;
    int f0Line_ = 1;       // the spectrum line f0 is set on
    double timeZoom_ = 20; // ms of the record the time chart shows
};
