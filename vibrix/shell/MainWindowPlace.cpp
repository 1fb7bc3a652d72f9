// Where the main window stands and how its pages are laid out: taken from the settings at the
// start, given back to them at the end.
#include "DataPage.h"
#include "MainUnit.h"
#include "PilePage.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>

// Where the window stood at the last exit, when that is still on a screen; otherwise 1024 x 700
// in the middle of the desktop.
void TMainForm::placeWindow() {
    const TWindowPlace& place = settings_.Window;
    bool onScreen = false;
    for (const QScreen* screen : QGuiApplication::screens())
        onScreen = onScreen || screen->availableGeometry().intersects(place.Normal);
    if (place.Normal.isValid() && onScreen) {
        setGeometry(place.Normal);
    } else {
        resize(1024, 700);
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    if (place.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    if (place.DataSplitter.size() == DataPage->Splitter->count())
        DataPage->Splitter->setSizes(place.DataSplitter);
    PilePage->SetPlace(place.Pile);
    firstPage_ = place.Page;
}

TWindowPlace TMainForm::windowPlace() const {
    TWindowPlace place = settings_.Window;
    place.Normal = isMaximized() ? normalGeometry() : geometry();
    place.Maximized = isMaximized();
    if (DataPage && PilePage && PageControl) // the pages not yet gone
        place = {place.Normal, place.Maximized, DataPage->Splitter->sizes(), PilePage->Place(),
                 PageControl->currentIndex()};
    return place;
}
