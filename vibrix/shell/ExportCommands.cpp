#include "ExportCommands.h"

#include "CsvExport.h"
#include "MeasureResult.h"
#include "SpectrumView.h"
#include "UserDialogs.h"

#include <QGuiApplication>

template <typename MakeText>
void TExportCommands::Export(const QString& projectFolder, const MakeText& makeText) {
    UserDialogs::FileRequest request;
    request.title = QStringLiteral("Файл экспорта");
    request.folder = projectFolder;
    request.filter = QStringLiteral("Файлы (*.csv)");
    request.defaultSuffix = QStringLiteral("csv");
    const UserDialogs::FileChoice choice = FDialogs.saveFile(FParent, request);
    if (!choice.chosen())
        return;
    const ExportResult result = WriteExportFile(choice.fileName, makeText());
    const QString caption = QGuiApplication::applicationDisplayName();
    // An old file that may not be replaced ends the command without a word.
    if (result.Result == ExportResult::Written)
        FDialogs.message(FParent, caption, QStringLiteral("Экспорт завершён"),
                         UserDialogs::Icon::Information);
    else if (result.Result == ExportResult::Failed)
        FDialogs.message(FParent, caption, result.Error, UserDialogs::Icon::Error);
}

void TExportCommands::SignalExportActionExecute(const TMeasureResult& record, const TSpectra& spectra,
                                                const QString& projectFolder) {
    Export(projectFolder, [&] {
        return SignalExportText(
            {record.Ch0Data, record.Ch1Data, record.HamData, record.SampleLen, record.SampleFreq}, spectra);
    });
}

void TExportCommands::SpectrExportActionExecute(const TSpectra& spectra, const QString& projectFolder) {
    Export(projectFolder, [&] { return SpectrumExportText(spectra); });
}
