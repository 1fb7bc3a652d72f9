#include "MainStatusBar.h"

#include "Named.h"

#include <QFrame>
#include <QLabel>
#include <QRegularExpression>

TMainStatusBar::TMainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(false);
    HintPanel = Named(new QLabel(this), QStringLiteral("HintPanel"));
    // A long hint is cut at the panel's end rather than pushing the other panels out.
    HintPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    ColorPanel =
        Named(new QLabel(QStringLiteral("     1        2        M"), this), QStringLiteral("ColorPanel"));
    // 96 pixels, or what the text needs in the font at hand.
    ColorPanel->setFixedWidth(
        std::max(96, ColorPanel->fontMetrics().horizontalAdvance(ColorPanel->text()) + 8));
    RecordPanel = Named(new QLabel(this), QStringLiteral("RecordPanel"));
    // One size whatever the number: a record change does not lay the bar out again.
    RecordPanel->setFixedSize(250, ColorPanel->sizeHint().height());
    addWidget(HintPanel, 1); // the bar's width less the two fixed panels
    addPermanentWidget(ColorPanel);
    addPermanentWidget(RecordPanel);
    // Each marker stands just before its symbol, wherever the font puts it.
    const QString text = ColorPanel->text();
    const QFontMetrics metrics(ColorPanel->font());
    int from = 0;
    for (std::size_t i = 0; i < ColorMarkers.size(); ++i) {
        from = int(text.indexOf(QRegularExpression(QStringLiteral("\\S")), from));
        QFrame* m = Named(new QFrame(ColorPanel), QStringLiteral("ColorMarker%1").arg(i));
        m->setFrameShape(QFrame::Box);
        m->setGeometry(std::max(metrics.horizontalAdvance(text.left(from)) - 15, 0), 4, 13, 13);
        m->setAutoFillBackground(true);
        ColorMarkers[i] = m;
        ++from;
    }
    ShowColors(TDisplayFlags{}.ChColor);
}

void TMainStatusBar::ShowHint(const QString& hint) {
    HintPanel->setText(hint);
}

void TMainStatusBar::ShowColors(const std::array<TColor, 3>& colors) {
    for (std::size_t i = 0; i < ColorMarkers.size(); ++i) {
        QPalette p = ColorMarkers[i]->palette();
        p.setColor(QPalette::Window, ToQColor(colors[i]));
        ColorMarkers[i]->setPalette(p);
    }
}

void TMainStatusBar::ShowRecordNumber(int number, int count) {
    RecordPanel->setText(count > 0 && number > 0 ? QStringLiteral("Запись %1 из %2").arg(number).arg(count)
                                                 : QString());
}
