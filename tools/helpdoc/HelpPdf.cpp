#include "HelpPdf.h"

#include "HelpGuide.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>

#include <cmath>

namespace helpdoc {
namespace {

// Layout units are pixels at 96 per inch, the unit the Markdown reader sizes its spacing in.
constexpr int kDpi = 96;
constexpr qreal kFooterHeight = 28;
const QMarginsF kMarginsMm(20, 16, 18, 12);

struct PageGeometry {
    QSizeF text; // text area of one page, without the footer
    qreal width = 0;
    qreal height = 0; // the whole printable area, footer included
};

PageGeometry GeometryOf(const QPdfWriter& writer) {
    const QRect r = writer.pageLayout().paintRectPixels(kDpi);
    return {QSizeF(r.width(), r.height() - kFooterHeight), qreal(r.width()), qreal(r.height())};
}

// The page a block's first line stands on: a block that does not fit is moved line by line,
// so its bounding rectangle may still start on the page before.
int PageOf(QTextDocument& doc, int blockNumber, qreal pageHeight) {
    const QTextBlock block = doc.findBlockByNumber(blockNumber);
    doc.documentLayout()->blockBoundingRect(block); // lays the document out as far as the block
    const QTextLayout* layout = block.layout();
    qreal top = layout->position().y();
    if (layout->lineCount() > 0)
        top += layout->lineAt(0).y();
    return int(std::floor(top / pageHeight));
}

// The blocks that must stand on the page of the block after them: each heading with its text,
// each picture with its caption.
QList<int> KeptWithNext(const QTextDocument& doc, const QList<Heading>& headings) {
    QList<int> blocks;
    for (const Heading& h : headings)
        blocks.append(h.blockNumber);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                blocks.append(block.blockNumber());
                break;
            }
    return blocks;
}

// A heading or a picture left alone at the foot of a page moves to the next page with what
// follows it. The moves of one pass are found on a finished layout and applied together;
// changing formats while the layout is still being asked for leaves parts of the document
// unplaced.
void KeepWithNext(QTextDocument& doc, const QList<int>& blocks, qreal pageHeight) {
    for (int pass = 0; pass < 8; ++pass) {
        doc.pageCount(); // finishes the layout
        QList<QTextBlock> alone;
        for (const int number : blocks) {
            const QTextBlock block = doc.findBlockByNumber(number);
            const QTextBlock next = block.next();
            if (next.isValid() &&
                !(block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) &&
                PageOf(doc, next.blockNumber(), pageHeight) > PageOf(doc, number, pageHeight))
                alone.append(block);
        }
        if (alone.isEmpty())
            return;
        for (const QTextBlock& block : alone) {
            QTextBlockFormat f = block.blockFormat();
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(f);
        }
        doc.markContentsDirty(0, doc.characterCount());
    }
}

// The title page: the guide's title and its contents, each heading with the page it starts on.
void FillContents(QTextDocument& toc, const Guide& guide, const QList<int>& pages, const Fonts& fonts) {
    toc.clear();
    toc.setDocumentMargin(0);
    toc.setDefaultFont(QFont(fonts.text, 10));
    QTextCursor c(&toc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setTopMargin(60);
    centred.setBottomMargin(8);
    c.setBlockFormat(centred);
    QTextCharFormat title;
    title.setFontPointSize(22);
    title.setFontWeight(QFont::Bold);
    title.setForeground(QColor(0x1f, 0x3a, 0x60));
    c.insertText(guide.title, title);

    QTextBlockFormat heading;
    heading.setTopMargin(40);
    heading.setBottomMargin(10);
    QTextCharFormat headingText;
    headingText.setFontPointSize(14);
    headingText.setFontWeight(QFont::Bold);
    c.insertBlock(heading, headingText);
    c.insertText(QStringLiteral("Содержание"));

    QTextTableFormat tf;
    tf.setBorder(0);
    tf.setCellPadding(3);
    tf.setCellSpacing(0);
    tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tf.setColumnWidthConstraints(
        {QTextLength(QTextLength::PercentageLength, 90), QTextLength(QTextLength::PercentageLength, 10)});
    QTextTable* table = c.insertTable(guide.headings.size(), 2, tf);
    for (int i = 0; i < guide.headings.size(); ++i) {
        const Heading& h = guide.headings[i];
        QTextCursor cell = table->cellAt(i, 0).firstCursorPosition();
        QTextBlockFormat indent;
        indent.setLeftMargin(h.level == 2 ? 0 : 20);
        cell.setBlockFormat(indent);
        QTextCharFormat text;
        text.setFontPointSize(h.level == 2 ? 11 : 10);
        text.setFontWeight(h.level == 2 ? QFont::DemiBold : QFont::Normal);
        cell.insertText(h.text, text);
        QTextCursor number = table->cellAt(i, 1).firstCursorPosition();
        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        number.setBlockFormat(right);
        text.setFontWeight(QFont::Normal);
        number.insertText(QString::number(pages.value(i)), text);
    }
}

void PaintFooter(QPainter& p, const PageGeometry& g, const QString& title, int page, const Fonts& fonts) {
    p.save();
    const qreal top = g.height - kFooterHeight + 10;
    p.setPen(QPen(QColor(0x9a, 0xa4, 0xb0), 0.75));
    p.drawLine(QPointF(0, top), QPointF(g.width, top));
    QFont font(fonts.text);
    font.setPointSizeF(8);
    p.setFont(font);
    p.setPen(QColor(0x50, 0x58, 0x60));
    const QRectF band(0, top + 3, g.width, kFooterHeight - 13);
    p.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, title);
    p.drawText(band, Qt::AlignRight | Qt::AlignVCenter, QString::number(page));
    p.restore();
}

// Paints every page of `doc`; `first` is the number printed on its first page.
bool PaintPages(QPainter& p, QPdfWriter& writer, QTextDocument& doc, const PageGeometry& g,
                const QString& title, int first, const Fonts& fonts) {
    const int count = doc.pageCount();
    for (int i = 0; i < count; ++i) {
        if (first + i > 1 && !writer.newPage())
            return false;
        p.save();
        p.setClipRect(QRectF(QPointF(0, 0), g.text));
        p.translate(0, -i * g.text.height());
        QAbstractTextDocumentLayout::PaintContext ctx;
        // Inside the page by half a unit: a line that starts on the next page touches this
        // page's bottom edge, and its text would be written, clipped, into this page too.
        ctx.clip = QRectF(0, i * g.text.height() + 0.5, g.text.width(), g.text.height() - 1);
        doc.documentLayout()->draw(&p, ctx);
        p.restore();
        PaintFooter(p, g, title, first + i, fonts);
    }
    return true;
}

} // namespace

PdfResult WriteHelpPdf(const PdfRequest& request) {
    PdfResult result;
    const Fonts fonts = ChooseFonts();
    if (fonts.text.isEmpty() || fonts.mono.isEmpty()) {
        result.error = "no installed font has Cyrillic letters (install fonts-dejavu-core)";
        return result;
    }
    QFile in(request.markdownFile);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        result.error = request.markdownFile + ": " + in.errorString();
        return result;
    }
    const QString markdown = QString::fromUtf8(in.readAll());

    QSaveFile out(request.pdfFile);
    if (!out.open(QIODevice::WriteOnly)) {
        result.error = request.pdfFile + ": " + out.errorString();
        return result;
    }
    QPdfWriter writer(&out);
    writer.setResolution(kDpi);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kMarginsMm, QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("Vibrix4"));
    const PageGeometry g = GeometryOf(writer);

    Guide guide = ReadGuide(markdown, request.pictureRoot, fonts, g.text, request.placeholders);
    result.missingPictures = guide.missingPictures;
    if (!guide.missingPictures.isEmpty() && !request.placeholders) {
        result.error = "missing pictures: " + guide.missingPictures.join(", ");
        return result;
    }
    if (guide.title.isEmpty()) {
        result.error = request.markdownFile + ": the guide does not start with a level-1 heading";
        return result;
    }
    writer.setTitle(guide.title);

    QTextDocument& body = *guide.body;
    body.documentLayout()->setPaintDevice(&writer);
    body.setPageSize(g.text);
    KeepWithNext(body, KeptWithNext(body, guide.headings), g.text.height());

    // The contents are laid out twice: their own length decides the numbers they show.
    QTextDocument toc;
    toc.documentLayout()->setPaintDevice(&writer);
    toc.setPageSize(g.text);
    QList<int> pages(guide.headings.size(), 0);
    FillContents(toc, guide, pages, fonts);
    const int tocPages = toc.pageCount();
    for (int i = 0; i < guide.headings.size(); ++i)
        pages[i] = tocPages + 1 + PageOf(body, guide.headings[i].blockNumber, g.text.height());
    FillContents(toc, guide, pages, fonts);
    toc.setPageSize(g.text);

    QPainter p;
    if (!p.begin(&writer)) {
        result.error = request.pdfFile + ": cannot paint into the file";
        return result;
    }
    const bool painted = PaintPages(p, writer, toc, g, guide.title, 1, fonts) &&
                         PaintPages(p, writer, body, g, guide.title, tocPages + 1, fonts);
    p.end();
    if (!painted || !out.commit()) {
        result.error = request.pdfFile + ": " + out.errorString();
        return result;
    }
    result.pageCount = tocPages + body.pageCount();
    return result;
}

} // namespace helpdoc
