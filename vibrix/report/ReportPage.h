#pragma once
// A one-page report: named objects placed in layout units on a band centred on the paper.
// A layout unit is 1/96 inch, the unit the charts are laid out in, so that a chart keeps on
// paper the proportions it has on screen. The layouts ship as resources and are found by name.

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <stdexcept>
#include <vector>

class QCustomPlot;

constexpr double kLayoutUnitsPerInch = 96.0;

struct TReportObject {
    enum class Kind { Text, Chart, Picture, Shape, Line };

    Kind Type = Kind::Text;
    QString Name;                // empty for the static texts and the rules
    QRectF Place;                // layout units; a line runs from the top-left to the bottom-right corner
    QString Text;                // a carriage return starts a new line
    bool Wrap = false;           // long lines break between words
    QColor Fill = Qt::white;     // shape
    QImage Image;                // picture, stretched over its place
    QPointer<QCustomPlot> Chart; // chart: drawn by the plot itself, on white, when the page is painted
};

class TReportPage {
public:
    QString Name;
    QSizeF PaperMm{210, 297};
    QSizeF Band{758, 1030};
    QString FontFamily = QStringLiteral("Times New Roman");
    double FontSize = 10; // points
    std::vector<TReportObject> Objects;

    // The object of that name; throws TReportError when the layout has none.
    TReportObject& Find(const QString& name);
    const TReportObject& Find(const QString& name) const;

    void SetText(const QString& name, const QString& text);
    // The plot is drawn as it is when the page is painted, laid out for the object's place.
    void SetChart(const QString& name, QCustomPlot& chart);
    void SetPicture(const QString& name, const QImage& picture);
    void SetFill(const QString& name, const QColor& colour);

    // The paper in layout units.
    QSizeF PaperUnits() const;
    // Where the band's origin lies on the paper, in layout units: equal margins on both sides.
    QPointF BandOrigin() const;
};

class TReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A fresh page of the layout `name` ("MainReport", "FTReport") from the program's resources.
// Throws TReportError when there is no such layout or it cannot be read.
TReportPage LoadReportLayout(const QString& name);
