// helpdoc: renders a user guide in Markdown into the program's help PDF.
#include "HelpPdf.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Runs inside the build, where there may be no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription("Renders a user guide in Markdown into an A4 help PDF.");
    parser.addHelpOption();
    const QCommandLineOption pictures("pictures", "Folder the guide's relative picture names are read from.",
                                      "folder");
    const QCommandLineOption placeholders(
        "placeholders", "Put a marked box in place of a missing picture instead of failing.");
    parser.addOption(pictures);
    parser.addOption(placeholders);
    parser.addPositionalArgument("guide", "The guide in Markdown (UTF-8).");
    parser.addPositionalArgument("pdf", "The PDF to write.");
    parser.process(app);
    if (parser.positionalArguments().size() != 2) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return 1;
    }

    helpdoc::PdfRequest request;
    request.markdownFile = parser.positionalArguments()[0];
    request.pdfFile = parser.positionalArguments()[1];
    request.pictureRoot = parser.isSet(pictures) ? parser.value(pictures) : QString();
    request.placeholders = parser.isSet(placeholders);
    if (request.pictureRoot.isEmpty())
        request.pictureRoot = QFileInfo(request.markdownFile).absolutePath();

    const helpdoc::PdfResult result = helpdoc::WriteHelpPdf(request);
    if (!result.ok()) {
        std::fprintf(stderr, "helpdoc: %s\n", qPrintable(result.error));
        return 2;
    }
    if (!result.missingPictures.isEmpty())
        std::fprintf(stderr, "helpdoc: warning: %s: marked boxes stand for the pictures not made yet: %s\n",
                     qPrintable(request.pdfFile), qPrintable(result.missingPictures.join(", ")));
    std::printf("%s: %d pages\n", qPrintable(request.pdfFile), result.pageCount);
    return 0;
}
