#pragma once
// Turns a user guide in Markdown into the printed help: an A4 PDF with a title page that lists
// the contents with page numbers, the guide itself, and a footer on every page.

#include <QString>
#include <QStringList>

namespace helpdoc {

struct PdfRequest {
    QString markdownFile;
    QString pictureRoot; // folder the guide's relative picture names are looked up in
    QString pdfFile;
    bool placeholders = false; // a missing picture becomes a marked box instead of a failure
};

struct PdfResult {
    QString error; // empty on success
    int pageCount = 0;
    QStringList missingPictures;
    bool ok() const { return error.isEmpty(); }
};

// Needs a QGuiApplication. Writes nothing when it fails.
PdfResult WriteHelpPdf(const PdfRequest& request);

} // namespace helpdoc
