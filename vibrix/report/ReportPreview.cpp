#include "ReportPreview.h"

#include "ReportPainter.h"
#include "UserDialogs.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>

#include <functional>

namespace {

struct SaveFormat {
    QString caption, filter, suffix;
    std::function<QByteArray(const TReportPage&)> bytes;
};

void saveAs(UserDialogs& dialogs, QWidget* parent, const TReportPage& page, const SaveFormat& format,
            const TReportPreviewOptions& options) {
    UserDialogs::FileRequest request;
    request.title = format.caption;
    request.folder = options.Folder;
    if (!options.FileName.isEmpty())
        request.fileName = options.FileName + QLatin1Char('.') + format.suffix;
    request.filter = format.filter;
    request.defaultSuffix = format.suffix;
    const UserDialogs::FileChoice choice = dialogs.saveFile(parent, request);
    if (!choice.chosen())
        return;
    QString error;
    if (!WriteReportFile(choice.fileName, format.bytes(page), error))
        dialogs.message(parent, QGuiApplication::applicationDisplayName(), error, UserDialogs::Icon::Error);
    else if (options.OnSaved)
        options.OnSaved(QFileInfo(choice.fileName).absolutePath());
}

} // namespace

void ShowReportPreview(UserDialogs& dialogs, QWidget* parent, const TReportPage& page,
                       const TReportPreviewOptions& options) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(
        QPageLayout(QPageSize(page.PaperMm, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF()));
    printer.setFullPage(true);
    printer.setDocName(page.Name);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(options.Title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&page](QPrinter* p) { PrintReportPage(*p, page); });

    const SaveFormat formats[] = {
        {QStringLiteral("Сохранить в PDF"), QStringLiteral("Документ PDF (*.pdf)"), QStringLiteral("pdf"),
         [](const TReportPage& p) { return ReportPdf(p); }},
        {QStringLiteral("Сохранить как JPEG"), QStringLiteral("Рисунок JPEG (*.jpg *.jpeg)"),
         QStringLiteral("jpg"), [](const TReportPage& p) { return ReportJpeg(p); }},
    };
    if (auto* toolbar = preview.findChild<QToolBar*>()) {
        toolbar->addSeparator();
        for (const SaveFormat& format : formats) {
            QAction* action = toolbar->addAction(format.caption);
            QObject::connect(
                action, &QAction::triggered, &preview, [&dialogs, &preview, &page, &format, &options] {
                    RunGuarded(dialogs, &preview, [&] { saveAs(dialogs, &preview, page, format, options); });
                });
        }
        toolbar->addSeparator();
        QAction* close = toolbar->addAction(QStringLiteral("Закрыть"));
        close->setObjectName(QStringLiteral("ClosePreviewAction"));
        QObject::connect(close, &QAction::triggered, &preview, &QDialog::reject);
    }
    // Room for the whole tool bar and a readable page.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        preview.resize(screen->availableSize() * 0.85);
    // Whole page, as the fit action of the dialog's tool bar would set it.
    if (auto* fitPage = preview.findChild<QAction*>(QStringLiteral("fitPageAction")))
        fitPage->trigger();
    else if (auto* widget = preview.findChild<QPrintPreviewWidget*>())
        widget->fitInView();
    dialogs.exec(preview);
}
