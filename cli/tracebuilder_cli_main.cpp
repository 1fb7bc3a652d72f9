// tracebuilder-cli: listing, extraction and trace pictures of a folder of measurement files.
#include "TraceBuilderCommands.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // The catalogue works on list and check-box controls; none is ever shown.
    cli::prepareHeadlessGui();
    QApplication app(argc, argv);
    const cli::Args a = cli::parseArgs(app.arguments(), tracebuildercli::kValueOptions);
    if (a.help) {
        std::fputs(tracebuildercli::kUsage, stdout);
        return cli::Ok;
    }
    if (!a.error.isEmpty())
        return cli::usageError(tracebuildercli::kUsage, a.error);
    if (!cli::applyLocale(a.value("locale")))
        return cli::usageError(
            tracebuildercli::kUsage,
            QStringLiteral("неизвестные региональные настройки: %1").arg(a.value("locale")));
    const bool traceOptions = a.has("velocity") || a.has("ku") || a.has("base") || a.has("depth") ||
                              a.has("seismo") || a.has("spectro");
    if (traceOptions && a.command != "traces")
        return cli::usageError(tracebuildercli::kUsage,
                               QStringLiteral("параметры трасс только для команды traces"));
    if (a.command == "list")
        return tracebuildercli::List(a);
    if (a.command == "extract")
        return tracebuildercli::Extract(a);
    if (a.command == "traces")
        return tracebuildercli::Traces(a);
    return cli::usageError(tracebuildercli::kUsage,
                           a.command.isEmpty() ? QStringLiteral("не указана команда")
                                               : QStringLiteral("неизвестная команда %1").arg(a.command));
}
