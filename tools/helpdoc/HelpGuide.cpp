#include "HelpGuide.h"

#include <QDir>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

namespace helpdoc {
namespace {

const QColor kHeadingColour(0x1f, 0x3a, 0x60);
const QColor kRuleColour(0x9a, 0xa4, 0xb0);
const QColor kHeaderCellColour(0xe8, 0xec, 0xf1);
const QColor kCodeBackground(0xf3, 0xf5, 0xf7);

// The first installed family of the list that has Cyrillic letters.
QString FirstCyrillic(const QStringList& wanted) {
    const QStringList installed = QFontDatabase::families(QFontDatabase::Cyrillic);
    for (const QString& family : wanted)
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    return {};
}

struct HeadingLook {
    qreal pointSize;
    qreal above; // space above the heading, layout units
};

HeadingLook LookOf(int level) {
    switch (level) {
    case 1:
        return {20, 0};
    case 2:
        return {15, 18};
    case 3:
        return {12, 12};
    default:
        return {10.5, 8};
    }
}

// A run of text with one format; collected before any format changes, which merge runs.
struct Span {
    int from = 0, length = 0;
    QTextCharFormat format;
};

QList<Span> SpansOf(const QTextBlock& block) {
    QList<Span> spans;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        spans.append({it.fragment().position(), it.fragment().length(), it.fragment().charFormat()});
    return spans;
}

QTextCursor Select(QTextDocument& doc, const Span& span) {
    QTextCursor c(&doc);
    c.setPosition(span.from);
    c.setPosition(span.from + span.length, QTextCursor::KeepAnchor);
    return c;
}

// Sizes and colours the headings.
void StyleHeadings(QTextDocument& doc, const Fonts& fonts) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0)
            continue;
        const HeadingLook look = LookOf(level);
        QTextCursor cursor(block);
        QTextBlockFormat bf = block.blockFormat();
        bf.setTopMargin(look.above);
        bf.setBottomMargin(6);
        cursor.setBlockFormat(bf);
        // The reader sizes headings by a relative adjustment, which outranks a point size.
        for (const Span& span : SpansOf(block)) {
            QTextCharFormat cf = span.format;
            cf.clearProperty(QTextFormat::FontSizeAdjustment);
            cf.setFontFamilies({fonts.text});
            cf.setFontPointSize(look.pointSize);
            cf.setFontWeight(QFont::Bold);
            cf.setForeground(kHeadingColour);
            Select(doc, span).setCharFormat(cf);
        }
    }
}

// Levels 2 and 3 make the contents of the guide.
QList<Heading> ContentsOf(const QTextDocument& doc) {
    QList<Heading> headings;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 2 || level == 3)
            headings.append({level, block.text().trimmed(), block.blockNumber()});
    }
    return headings;
}

// Code and file names in the fixed-pitch family. Code blocks get a tinted background and may
// wrap: a line longer than the page would otherwise run off its edge.
void StyleCode(QTextDocument& doc, const Fonts& fonts) {
    QList<Span> code;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (const Span& span : SpansOf(block))
            if (span.format.fontFixedPitch())
                code.append(span);
        QTextBlockFormat bf = block.blockFormat();
        if (bf.nonBreakableLines()) {
            bf.setNonBreakableLines(false);
            bf.setBackground(kCodeBackground);
            bf.setLeftMargin(6);
            QTextCursor(block).setBlockFormat(bf);
        }
    }
    QTextCharFormat mono;
    mono.setFontFamilies({fonts.mono});
    for (const Span& span : code)
        Select(doc, span).mergeCharFormat(mono);
}

void StyleTable(QTextTable& table) {
    QTextTableFormat tf = table.format();
    tf.setBorder(1);
    tf.setBorderBrush(kRuleColour);
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tf.setBorderCollapse(true);
    tf.setCellPadding(4);
    tf.setCellSpacing(0);
    tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tf.setTopMargin(4);
    tf.setBottomMargin(8);
    tf.setHeaderRowCount(1);
    table.setFormat(tf);
    for (int col = 0; col < table.columns(); ++col) {
        QTextTableCell cell = table.cellAt(0, col);
        QTextCharFormat cf = cell.format();
        cf.setBackground(kHeaderCellColour);
        cell.setFormat(cf);
    }
}

void StyleTables(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child))
            StyleTable(*table);
        StyleTables(child);
    }
}

// What stands in a picture's place while it has not been made: a framed, plainly marked box.
QImage Placeholder(const QString& name, const QString& textFamily) {
    QImage image(640, 160, QImage::Format_RGB32);
    image.fill(QColor(0xfb, 0xf3, 0xe4));
    QPainter p(&image);
    p.setPen(QPen(QColor(0xb0, 0x60, 0x00), 3, Qt::DashLine));
    p.drawRect(image.rect().adjusted(2, 2, -3, -3));
    QFont font(textFamily);
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("НЕТ РИСУНКА\n%1").arg(name));
    return image;
}

// Loads every picture of the document, scales it down to the text area, centres it and puts
// its numbered caption (the Markdown alt text) under it.
QStringList PlacePictures(QTextDocument& doc, const QString& root, const Fonts& fonts, QSizeF area,
                          bool placeholders) {
    QList<Span> pictures;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (const Span& span : SpansOf(block))
            if (span.format.isImageFormat())
                pictures.append(span);

    QStringList missing;
    // From the last picture back, so that a caption added leaves the positions of the others.
    for (qsizetype i = pictures.size() - 1; i >= 0; --i) {
        QTextImageFormat format = pictures[i].format.toImageFormat();
        const QString name = format.name();
        QImage image(QDir::isAbsolutePath(name) ? name : QDir(root).filePath(name));
        if (image.isNull()) {
            missing.prepend(name);
            if (!placeholders)
                continue;
            image = Placeholder(name, fonts.text);
        }
        doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
        const qreal scale =
            std::min({1.0, area.width() / image.width(), 0.7 * area.height() / image.height()});
        format.setWidth(image.width() * scale);
        format.setHeight(image.height() * scale);
        QTextCursor c = Select(doc, pictures[i]);
        c.setCharFormat(format);

        QTextBlockFormat centred = c.blockFormat();
        centred.setAlignment(Qt::AlignHCenter);
        centred.setTopMargin(8);
        centred.setBottomMargin(2);
        c.setBlockFormat(centred);
        const QString alt = format.stringProperty(QTextFormat::ImageAltText);
        if (alt.isEmpty())
            continue;
        c.movePosition(QTextCursor::EndOfBlock);
        centred.setTopMargin(2);
        centred.setBottomMargin(10);
        QTextCharFormat caption;
        caption.setFontItalic(true);
        caption.setFontPointSize(9);
        caption.setForeground(QColor(0x40, 0x48, 0x50));
        c.insertBlock(centred, caption);
        c.insertText(QStringLiteral("Рисунок %1. %2").arg(i + 1).arg(alt));
    }
    return missing;
}

// Takes the leading level-1 heading out of the body: it becomes the title page's heading.
QString TakeTitle(QTextDocument& doc) {
    const QTextBlock first = doc.begin();
    if (first.blockFormat().headingLevel() != 1)
        return {};
    const QString title = first.text().trimmed();
    QTextCursor c(first);
    c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    return title;
}

} // namespace

Fonts ChooseFonts() {
    return {FirstCyrillic({"DejaVu Sans", "Liberation Sans", "Arial"}),
            FirstCyrillic({"DejaVu Sans Mono", "Liberation Mono", "Courier New"})};
}

Guide ReadGuide(const QString& markdown, const QString& pictureRoot, const Fonts& fonts, QSizeF area,
                bool placeholders) {
    Guide guide;
    guide.body = std::make_unique<QTextDocument>();
    QTextDocument& doc = *guide.body;
    doc.setDocumentMargin(0);
    doc.setDefaultFont(QFont(fonts.text, 10));
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    guide.title = TakeTitle(doc);
    StyleHeadings(doc, fonts);
    StyleCode(doc, fonts);
    StyleTables(doc.rootFrame());
    guide.missingPictures = PlacePictures(doc, pictureRoot, fonts, area, placeholders);
    guide.headings = ContentsOf(doc); // after the captions, which are blocks of their own
    return guide;
}

} // namespace helpdoc
