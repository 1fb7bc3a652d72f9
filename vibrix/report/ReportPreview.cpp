#include "ReportPreview.h"

#include "ReportPainter.h"
#include "UserDialogs.h"

#include <QAction>
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

void saveAs(UserDialogs& dialogs, QWidget* parent, const TReportPage& page, const SaveFormat& format) {
    UserDialogs::FileRequest request;
    request.title = format.caption;
    request.filter = format.filter;
    request.defaultSuffix = format.suffix;
    const UserDialogs::FileChoice choice = dialogs.saveFile(parent, request);
    if (!choice.chosen())
        return;
    QString error;
    if (!WriteReportFile(choice.fileName, format.bytes(page), error))
        dialogs.message(parent, QGuiApplication::applicationDisplayName(), error, UserDialogs::Icon::Error);
}

} // namespace

void ShowReportPreview(UserDialogs& dialogs, QWidget* parent, const TReportPage& page) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(
        QPageLayout(QPageSize(page.PaperMm, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF()));
    printer.setFullPage(true);
    printer.setDocName(page.Name);
    QPrintPreviewDialog preview(&printer, parent);
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
            QObject::connect(action, &QAction::triggered, &preview, [&dialogs, &preview, &page, &format] {
                RunGuarded(dialogs, &preview, [&] { saveAs(dialogs, &preview, page, format); });
            });
        }
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
