#include "CatalogueControls.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace tracebuildercli {

namespace {

// Enter in a filter edit: the filter takes the typed number.
void typeNumber(QLineEdit& edit, const QString& text) {
    edit.setText(text);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&edit, &enter);
}

} // namespace

QString CatalogueControls::ApplyFilter(const cli::Args& a) {
    if (!a.has("site") && !a.has("pile") && !a.has("channels"))
        return {};
    bool want1 = true, want2 = true;
    if (a.has("channels")) {
        const QString c = a.value("channels");
        if (c != "1" && c != "2" && c != "1,2" && c != "2,1")
            return QStringLiteral("датчики задаются как 1, 2 или 1,2: %1").arg(c);
        want1 = c.contains('1');
        want2 = c.contains('2');
    }
    for (const char* name : {"site", "pile"})
        if (a.has(name) && !cli::parseInteger(a.value(name)))
            return QStringLiteral("номер не число: %1").arg(a.value(name));
    controls.channel1->setChecked(want1);
    controls.channel2->setChecked(want2);
    controls.filterOn->click();
    typeNumber(*controls.siteEdit, a.has("site") ? a.value("site") : "-");
    typeNumber(*controls.pileEdit, a.has("pile") ? a.value("pile") : "-");
    return {};
}

QStringList CatalogueControls::Lines(const QListWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.count(); ++i)
        lines << list.item(i)->text();
    return lines;
}

} // namespace tracebuildercli
