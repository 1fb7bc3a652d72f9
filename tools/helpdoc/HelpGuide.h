#pragma once
// A user guide written in Markdown, read into a QTextDocument with the look of the printed help:
// a font with Cyrillic letters, sized headings, framed tables and pictures that fit the page.

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>

class QTextDocument;

namespace helpdoc {

// The families the help is set in; `text` is empty when the system has no font with Cyrillic letters.
struct Fonts {
    QString text;
    QString mono;
};
Fonts ChooseFonts();

struct Heading {
    int level = 0;
    QString text;
    int blockNumber = 0;
};

struct Guide {
    std::unique_ptr<QTextDocument> body; // everything after the title heading
    QString title;                       // the text of the first level-1 heading
    QList<Heading> headings;             // levels 2 and 3, in document order
    QStringList missingPictures;         // picture names that could not be read
};

// Reads the guide. Relative picture names are looked up under `pictureRoot`. A picture that
// cannot be read is listed in missingPictures; with `placeholders` it is replaced by a framed
// box that says which picture is missing, otherwise it is left out. `area` is the size of the
// text on one page in layout units: pictures are scaled down to fit it.
Guide ReadGuide(const QString& markdown, const QString& pictureRoot, const Fonts& fonts, QSizeF area,
                bool placeholders);

} // namespace helpdoc
