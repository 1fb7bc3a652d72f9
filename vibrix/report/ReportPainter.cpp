#include "ReportPainter.h"

#include "ChartDrawing.h"
#include "FailureText.h"
#include "PlatformFiles.h"

#include <QBuffer>
#include <QDir>

#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <qcustomplot.h>

#include <algorithm>

namespace {

constexpr int kJpegQuality = 85;
const QString kFallbackSerif = QStringLiteral("Liberation Serif"); // Times New Roman's widths, with Cyrillic

// Point sizes count in the device's resolution: scaled back to layout units they keep their size.
QFont reportFont(const TReportPage& page, const QPaintDevice& device) {
    QFont font;
    font.setFamilies({page.FontFamily, kFallbackSerif});
    font.setStyleHint(QFont::Serif);
    // Outlines as designed: hinting fits glyphs to a screen's pixels, not to paper.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPointSizeF(page.FontSize * kLayoutUnitsPerInch / device.logicalDpiY());
    return font;
}

QString shownText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

void paintObject(QCPPainter& painter, const TReportObject& o) {
    switch (o.Type) {
    case TReportObject::Kind::Text:
        painter.drawText(o.Place, Qt::AlignLeft | Qt::AlignTop | (o.Wrap ? Qt::TextWordWrap : 0),
                         shownText(o.Text));
        break;
    case TReportObject::Kind::Line:
        painter.drawLine(o.Place.topLeft(), o.Place.bottomRight());
        break;
    case TReportObject::Kind::Shape:
        painter.setBrush(o.Fill);
        painter.drawRect(o.Place);
        painter.setBrush(Qt::NoBrush);
        break;
    case TReportObject::Kind::Picture:
        if (!o.Image.isNull())
            painter.drawImage(o.Place, o.Image);
        break;
    case TReportObject::Kind::Chart:
        if (o.Chart)
            PaintChart(painter, *o.Chart, o.Place);
        break;
    }
}

QRectF fullPaper(const QPageLayout& layout, int resolution) {
    return QRectF(layout.fullRectPixels(resolution));
}

QPageLayout paperLayout(const TReportPage& page) {
    return QPageLayout(QPageSize(page.PaperMm, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF());
}

} // namespace

QTransform ReportTransform(const TReportPage& page, const QRectF& paper) {
    const QSizeF units = page.PaperUnits();
    const double scale = std::min(paper.width() / units.width(), paper.height() / units.height());
    const QPointF corner = paper.center() - QPointF(units.width(), units.height()) * scale / 2;
    QTransform t;
    t.translate(corner.x(), corner.y());
    t.scale(scale, scale);
    t.translate(page.BandOrigin().x(), page.BandOrigin().y());
    return t;
}

void PaintReportPage(QCPPainter& painter, const TReportPage& page, const QRectF& paper) {
    painter.save();
    painter.setTransform(ReportTransform(page, paper), true);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.fillRect(QRectF(-page.BandOrigin(), page.PaperUnits()), Qt::white);
    painter.setFont(reportFont(page, *painter.device()));
    painter.setPen(QPen(Qt::black, 1.0));
    for (const TReportObject& o : page.Objects)
        paintObject(painter, o);
    painter.restore();
}

void PrintReportPage(QPrinter& printer, const TReportPage& page) {
    printer.setFullPage(true);
    QCPPainter painter(&printer);
    PaintReportPage(painter, page, fullPaper(printer.pageLayout(), printer.resolution()));
}

TReportPdfWriter::TReportPdfWriter(QIODevice& device)
    : writer_(std::make_unique<QPdfWriter>(&device)), painter_(std::make_unique<QCPPainter>()) {
    // Points and layout pixels agree: the charts are drawn straight into the document.
    writer_->setResolution(int(kLayoutUnitsPerInch));
    writer_->setCreator(QStringLiteral("Vibrix4"));
}

// The painter ends the document before the writer goes.
TReportPdfWriter::~TReportPdfWriter() {
    painter_.reset();
}

void TReportPdfWriter::Add(const TReportPage& page) {
    writer_->setPageLayout(paperLayout(page));
    if (pages_++ == 0)
        painter_->begin(writer_.get());
    else
        writer_->newPage();
    PaintReportPage(*painter_, page, fullPaper(writer_->pageLayout(), writer_->resolution()));
}

void WriteReportPdf(QIODevice& device, int count, const std::function<const TReportPage&(int)>& pageAt) {
    TReportPdfWriter writer(device);
    for (int i = 0; i < count; ++i)
        writer.Add(pageAt(i));
}

QByteArray ReportPdf(const TReportPage& page) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteReportPdf(buffer, 1, [&page](int) -> const TReportPage& { return page; });
    return bytes;
}

QImage ReportImage(const TReportPage& page, int dpi) {
    const QRect paper = paperLayout(page).fullRectPixels(dpi);
    QImage image(paper.size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    {
        QCPPainter painter(&image);
        PaintReportPage(painter, page, QRectF(image.rect()));
    }
    return image;
}

QByteArray ReportJpeg(const TReportPage& page, int dpi) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ReportImage(page, dpi).save(&buffer, "JPG", kJpegQuality);
    return bytes;
}

bool WriteReportFile(const QString& fileName, const QByteArray& bytes, QString& error) {
    QSaveFile file(fileName);
    if (bytes.isEmpty()) {
        error = QStringLiteral("Не удалось построить отчёт");
        return false;
    }
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("Не удалось записать файл «%1»: %2")
                    .arg(QDir::toNativeSeparators(fileName),
                         FailureText(FailureOf(file, platform::LastSystemError())));
        return false;
    }
    return true;
}
