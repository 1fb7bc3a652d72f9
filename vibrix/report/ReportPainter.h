#pragma once
// One drawing of a report page for every output: the preview, the printer, PDF and JPEG.

#include "ReportPage.h"

#include <QByteArray>
#include <QImage>
#include <QTransform>

#include <functional>
#include <memory>

class QCPPainter;
class QIODevice;
class QPdfWriter;
class QPrinter;

// From the band's layout units to the painter's coordinates when the page is fitted, centred
// and unstretched, into `paper` (painter coordinates).
QTransform ReportTransform(const TReportPage& page, const QRectF& paper);

// Paints the page, on white, fitted into `paper`. Any device and resolution: texts and charts
// keep their physical sizes. (QCustomPlot draws only through its own kind of painter.)
void PaintReportPage(QCPPainter& painter, const TReportPage& page, const QRectF& paper);

// The page on a printer's whole paper (the printer in full-page mode).
void PrintReportPage(QPrinter& printer, const TReportPage& page);

// The whole paper as a picture at `dpi`.
QImage ReportImage(const TReportPage& page, int dpi);

// The page as a one-page PDF (vector) or a JPEG picture (quality 85) at `dpi`, in memory.
QByteArray ReportPdf(const TReportPage& page);
QByteArray ReportJpeg(const TReportPage& page, int dpi = 150);

// A PDF written page by page into `device`, each page painted as it is added (charts are drawn
// as they are then); the document ends when the writer goes. No page added writes nothing.
class TReportPdfWriter {
public:
    explicit TReportPdfWriter(QIODevice& device);
    ~TReportPdfWriter();
    TReportPdfWriter(const TReportPdfWriter&) = delete;
    TReportPdfWriter& operator=(const TReportPdfWriter&) = delete;

    void Add(const TReportPage& page);

private:
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QCPPainter> painter_;
    int pages_ = 0;
};

// A PDF of `count` pages into `device`: `pageAt(i)` is asked for page i just before it is
// painted, so one page object may be refilled for every page (charts are drawn as they are
// then). An empty count writes nothing.
void WriteReportPdf(QIODevice& device, int count, const std::function<const TReportPage&(int)>& pageAt);

// Writes such bytes into a file; nothing is left behind on failure. False with the system's
// reason.
bool WriteReportFile(const QString& fileName, const QByteArray& bytes, QString& error);
