// vibrix-cli: batch import, listing, export and spectrograms of vibrix projects.
#include "VibrixCommands.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Fonts and pictures need a GUI application; no window is ever shown.
    cli::prepareHeadlessGui();
    QGuiApplication app(argc, argv);
    const cli::Args a = cli::parseArgs(app.arguments(), {"channel", "width"});
    if (a.help) {
        std::fputs(vibrixcli::kUsage, stdout);
        return cli::Ok;
    }
    if (!a.error.isEmpty())
        return cli::usageError(vibrixcli::kUsage, a.error);
    if (!cli::applyLocale(a.value("locale")))
        return cli::usageError(
            vibrixcli::kUsage,
            QStringLiteral("неизвестные региональные настройки: %1").arg(a.value("locale")));
    const bool imageOptions = a.has("channel") || a.has("width");
    if (imageOptions && a.command != "spectrogram")
        return cli::usageError(vibrixcli::kUsage,
                               QStringLiteral("параметры --channel и --width только для spectrogram"));
    if (a.command == "import")
        return vibrixcli::Import(a);
    if (a.command == "list")
        return vibrixcli::List(a);
    if (a.command == "export-signal")
        return vibrixcli::ExportSignal(a);
    if (a.command == "export-spectrum")
        return vibrixcli::ExportSpectrum(a);
    if (a.command == "spectrogram")
        return vibrixcli::Spectrogram(a);
    return cli::usageError(vibrixcli::kUsage, a.command.isEmpty()
                                                  ? QStringLiteral("не указана команда")
                                                  : QStringLiteral("неизвестная команда %1").arg(a.command));
}
