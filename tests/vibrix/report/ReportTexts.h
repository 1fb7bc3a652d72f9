#pragma once
// Reading a report page's PDF text: words as pdftotext lays them out, rows of the parameter
// tables, and the page painted into a picture at the places of its objects.

#include "PdfText.h"
#include "ReportPainter.h"

#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>
#include <qcustomplot.h>

#include <ostream>

// Runs of blanks as one space, as the layout of a PDF's text only keeps their places.
inline QString Words(const QString& text) {
    return text.simplified();
}

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// The value printed beside `caption` at the start of a table row ("" for an empty cell).
inline QString RowValue(const QString& text, const QString& caption) {
    const QRegularExpression re(QStringLiteral("^") + QRegularExpression::escape(caption) +
                                    QStringLiteral("(?: {2,}(\\S+(?: \\S+)*))?(?: {2,}|$)"),
                                QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = re.match(text);
    return m.hasMatch() ? m.captured(1) : QStringLiteral("<no row %1>").arg(caption);
}

// The text a PDF of the page prints within `place` (layout units).
inline QString PdfTextIn(const TReportPage& page, const QByteArray& pdf, const QRectF& place) {
    const QSizeF points = page.PaperMm / 25.4 * 72;
    return PdfText(pdf, ReportTransform(page, QRectF(QPointF(), points)).mapRect(place));
}

// The page printed on a PDF printer of high resolution.
inline QByteArray PrintedPdf(const TReportPage& page) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    PrintReportPage(printer, page);
    QFile printed(dir.filePath("printed.pdf"));
    return printed.open(QIODevice::ReadOnly) ? printed.readAll() : QByteArray();
}

// The page painted at `scale` pixels per layout unit, and the pixel at the centre of an object.
struct PagePicture {
    explicit PagePicture(const TReportPage& page, double scale = 2.0)
        : Page(page), Image((page.PaperUnits() * scale).toSize(), QImage::Format_RGB32) {
        Image.fill(Qt::gray);
        QCPPainter painter(&Image);
        PaintReportPage(painter, page, QRectF(Image.rect()));
    }
    QPoint Place(const QString& name, QPointF within = {0.5, 0.5}) const {
        const QRectF r = Page.Find(name).Place;
        const QPointF p(r.left() + r.width() * within.x(), r.top() + r.height() * within.y());
        return ReportTransform(Page, QRectF(Image.rect())).map(p).toPoint();
    }
    QColor At(const QString& name, QPointF within = {0.5, 0.5}) const {
        return Image.pixelColor(Place(name, within));
    }

    const TReportPage& Page;
    QImage Image;
};
