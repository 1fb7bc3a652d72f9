// vibrix-cli report: one main-report page per record of a project, in one PDF.
#include "ChartPanel.h"
#include "FailureText.h"
#include "PanelReport.h"
#include "PlatformFiles.h"
#include "ProjectAccess.h"
#include "ReportPainter.h"
#include "VibrixCommands.h"
#include "VibrixSettings.h"

#include <QFileInfo>
#include <QSaveFile>

namespace vibrixcli {

namespace {

struct RowRange {
    int first = 0, last = 0; // from 1, both included; 0, 0 for all
};

// "all", "3" or "2-7"; nothing for any other text.
std::optional<RowRange> ParseRows(const QString& text) {
    if (text == QLatin1String("all"))
        return RowRange{};
    const QStringList parts = text.split(QLatin1Char('-'));
    const auto first = parts.size() <= 2 ? cli::parseInteger(parts.front()) : std::nullopt;
    const auto last = parts.size() == 2 ? cli::parseInteger(parts.back()) : first;
    if (!first || !last || *first < 1 || *first > *last)
        return std::nullopt;
    return RowRange{*first, *last};
}

} // namespace

int Report(const cli::Args& a) {
    if (a.positional.size() != 3)
        return cli::usageError(kUsage, QStringLiteral("у команды report должно быть аргументов: 3"));
    auto rows = ParseRows(a.positional[1]);
    if (!rows)
        return cli::usageError(
            kUsage,
            QStringLiteral("записи заданы не как all, НОМЕР или ПЕРВЫЙ-ПОСЛЕДНИЙ: %1").arg(a.positional[1]));
    const QString file = a.positional[2];
    TDisplayFlags flags; // those of a fresh installation
    if (a.has("settings")) {
        const QString ini = a.value("settings");
        if (!QFileInfo(ini).isFile())
            return cli::ioError(ini, FailureText({FailureKind::NoSuchFile, 0}));
        flags = LoadSettings(ini).Flags;
    }
    ProjectAccess p;
    if (!p.Open(a.positional[0]))
        return cli::IoError;
    auto& table = p.dm.cdsVibrix;
    const int count = table.recordCount();
    if (rows->first == 0)
        *rows = {1, count};
    if (count == 0 || rows->last > count)
        return cli::ioError(
            p.project,
            QStringLiteral("нет записей %1 (записей в проекте: %2)").arg(a.positional[1]).arg(count));

    // Every page is drawn from the same panel, refilled with the page's record.
    TChartPanel panel(flags);
    panel.resize(1000, 560); // the chart panel's size in the window
    TReportPage page;
    QString failure;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return cli::ioError(file, FailureText(FailureOf(out, platform::LastSystemError())));
    WriteReportPdf(out, rows->last - rows->first + 1, [&](int i) -> const TReportPage& {
        const int row = rows->first + i;
        table.first();
        table.moveBy(row - 1);
        TMeasureResult record;
        page = LoadReportLayout(QStringLiteral("MainReport"));
        if (!p.dm.LoadMeasure(record)) {
            // The page stays empty, and the file is not kept.
            failure = QStringLiteral("запись %1 повреждена").arg(row);
            return page;
        }
        const QString comment = vxds::asText(table.value(QStringLiteral("Comment")));
        panel.ShowRecord(std::move(record));
        MainReportManualBuild(page, MainReportSource(panel, comment));
        return page;
    });
    if (!failure.isEmpty())
        return cli::ioError(p.project, failure); // the file is left as it was
    if (!out.commit())
        return cli::ioError(file, FailureText(FailureOf(out, platform::LastSystemError())));
    cli::printLine(QStringLiteral("страниц отчёта: %1").arg(rows->last - rows->first + 1));
    return cli::Ok;
}

} // namespace vibrixcli
