#include "ExportCommands.h"

#include "CsvExport.h"
#include "MeasureResult.h"
#include "SpectrumView.h"
#include "UserDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

template <typename MakeText>
QString TExportCommands::Export(const QString& folder, const QString& fileName, const MakeText& makeText) {
    UserDialogs::FileRequest request;
    request.title = QStringLiteral("Файл экспорта");
    request.folder = folder;
    request.fileName = fileName;
    request.filter = QStringLiteral("Файлы (*.csv)");
    request.defaultSuffix = QStringLiteral("csv");
    const UserDialogs::FileChoice choice = FDialogs.saveFile(FParent, request);
    if (!choice.chosen())
        return {};
    const ExportResult result = WriteExportFile(choice.fileName, makeText());
    const QString caption = QGuiApplication::applicationDisplayName();
    // An old file that may not be replaced ends the command without a word.
    if (result.Result == ExportResult::Failed)
        FDialogs.message(FParent, caption, result.Error, UserDialogs::Icon::Error);
    if (result.Result != ExportResult::Written)
        return {};
    FDialogs.message(
        FParent, caption,
        QStringLiteral("Экспорт завершён\nФайл: %1").arg(QDir::toNativeSeparators(choice.fileName)),
        UserDialogs::Icon::Information);
    return QFileInfo(choice.fileName).absolutePath();
}

QString TExportCommands::SignalExportActionExecute(const TMeasureResult& record, const TSpectra& spectra,
                                                   const QString& folder, const QString& fileName) {
    return Export(folder, fileName, [&] {
        return SignalExportText(
            {record.Ch0Data, record.Ch1Data, record.HamData, record.SampleLen, record.SampleFreq}, spectra);
    });
}

QString TExportCommands::SpectrExportActionExecute(const TSpectra& spectra, const QString& folder,
                                                   const QString& fileName) {
    return Export(folder, fileName, [&] { return SpectrumExportText(spectra); });
}
