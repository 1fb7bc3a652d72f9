#include "TraceBuilderCommands.h"

#include "CatalogueControls.h"
#include "FailureText.h"
#include "ParameterChecks.h"
#include "TimeAxisCheck.h"
#include "TrcError.h"
#include "tTraceSet.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace tracebuildercli {

const char* const kUsage =
    "Использование: tracebuilder-cli [--locale ИМЯ] КОМАНДА ПАПКА ... [фильтр]\n"
    "  list ПАПКА                 строки списка файлов, пустая строка, строки списка каналов\n"
    "  extract ПАПКА ВЫХОД        каждый канал списка в текстовый файл папки ВЫХОД\n"
    "  traces ПАПКА [--velocity V] [--ku K] [--base B] [--depth D]\n"
    "             [--seismo ФАЙЛ] [--spectro ФАЙЛ] [--title]\n"
    "                             СЕЙСМО и СПЕКТРО трассы всех каналов списка: ФАЙЛ.pdf - листы\n"
    "                             для печати, иначе рисунок BMP (с --title - с заголовком)\n"
    "Фильтр (любой параметр включает его): --site S  --pile P  --channels 1|2|1,2\n"
    "  --locale ИМЯ   региональные настройки чисел (например ru_RU или C)\n"
    "Коды выхода: 0 - успешно, 1 - ошибка в командной строке, 2 - ошибка ввода-вывода.\n";

namespace {

// Checks the arguments and lists the folder through the catalogue; returns the exit status on failure.
std::optional<int> Prepare(const cli::Args& a, int positional, CatalogueControls& c) {
    if (a.positional.size() != positional)
        return cli::usageError(
            kUsage, QStringLiteral("у команды %1 должно быть аргументов: %2").arg(a.command).arg(positional));
    const QString error = c.ApplyFilter(a);
    if (!error.isEmpty())
        return cli::usageError(kUsage, error);
    const QString folder = a.positional[0];
    if (!QFileInfo(folder).isDir())
        return cli::ioError(folder, FailureText({FailureKind::NoSuchFile, 0}));
    c.set.List(QDir(folder).absolutePath());
    return std::nullopt;
}

// A warning on standard error; the command goes on.
void warn(const QString& text) {
    std::fprintf(stderr, "Предупреждение: %s\n", text.toUtf8().constData());
}

// Every file a collection or an extraction went on without, as an error; the status to end with.
int reportUnread(const QString& folder, const tLeftOutList& files) {
    int status = cli::Ok;
    for (const tLeftOut& f : files)
        status = cli::ioError(QDir(folder).filePath(f.fileName), f.reason);
    return status;
}

// Puts a number option into a parameter; false with a message when it is not a number or one the
// pictures cannot use (`fault` says why).
bool TakeNumber(const cli::Args& a, const char* name, double& parameter, QString (*fault)(double),
                int& status) {
    if (!a.has(name))
        return true;
    const auto v = cli::parseNumber(a.value(name));
    const QString why = v ? fault(*v) : QString();
    if (!v || !why.isEmpty()) {
        status = cli::usageError(
            kUsage,
            QStringLiteral("недопустимое значение --%1: %2 %3").arg(name, a.value(name), why).trimmed());
        return false;
    }
    parameter = *v;
    return true;
}

QString TraceDepthFault(double depth) {
    return depth >= 5 && depth <= 50 ? QString() : QStringLiteral("Глубина трасс от 5 до 50 м.");
}

} // namespace

int List(const cli::Args& a) {
    CatalogueControls c;
    if (const auto failed = Prepare(a, 1, c))
        return *failed;
    for (const QString& line : CatalogueControls::Lines(*c.controls.allFiles))
        cli::printLine(line);
    cli::printLine(QString());
    for (const QString& line : CatalogueControls::Lines(*c.controls.appropriate))
        cli::printLine(line);
    return cli::Ok;
}

int Extract(const cli::Args& a) {
    CatalogueControls c;
    if (const auto failed = Prepare(a, 2, c))
        return *failed;
    const QString out = a.positional[1];
    if (!QFileInfo(out).isDir())
        return cli::ioError(out, FailureText({FailureKind::NoSuchFile, 0}));
    try {
        const tTrcFiles::Extraction done = c.set.catalogue.Extract(QDir(out).absolutePath());
        for (const QString& name : done.written)
            cli::printLine(name);
        return reportUnread(a.positional[0], done.unread);
    } catch (const tFileError& e) {
        return cli::ioError(out, QString::fromStdString(e.what()));
    }
}

int Traces(const cli::Args& a) {
    CatalogueControls c;
    tAppInt app;
    int status = cli::Ok;
    double depth = 50;
    if (!TakeNumber(a, "velocity", app.velocity, VelocityFault, status) ||
        !TakeNumber(a, "ku", app.ku, GainFault, status) ||
        !TakeNumber(a, "base", app.base, BaseFault, status) ||
        !TakeNumber(a, "depth", depth, TraceDepthFault, status))
        return status;
    if (const auto failed = Prepare(a, 1, c))
        return *failed;

    QTabWidget tabs;
    const tTraceTab seismoTab(tabs, QStringLiteral("СЕЙСМО Трасса"), 1, 1, 1);
    const tTraceTab spectroTab(tabs, QStringLiteral("СПЕКТРО Трасса"), 0, 90, 10);
    seismoTab.track->setValue(int(depth));
    spectroTab.track->setValue(int(depth));
    tTraceSet traces(&app, seismoTab, spectroTab);
    traces.seismoImage.titleOnBitmap = traces.spectroImage.titleOnBitmap = a.has("title");
    try {
        c.set.catalogue.CollectChecked();
        traces.Build(c.set.catalogue.checked());
    } catch (const tTrcError& e) {
        return cli::ioError(a.positional[0], QStringLiteral("ошибка построения трасс, код %1").arg(e.code));
    } catch (const tFileError& e) {
        return cli::ioError(a.positional[0], QString::fromStdString(e.what()));
    }
    const tTrcFiles& catalogue = c.set.catalogue;
    status = reportUnread(a.positional[0], catalogue.leftOut());
    if (catalogue.checked().empty())
        return cli::ioError(a.positional[0], QStringLiteral("нет каналов для трасс"));
    for (const ptTrc__Data& channel : catalogue.checked())
        if (const QString fault = TimeAxisFault(*channel); !fault.isEmpty())
            warn(QStringLiteral("%1, канал %2: %3")
                     .arg(channel->origin.fileName)
                     .arg(channel->channel + 1)
                     .arg(fault));
    for (const auto& [option, save] :
         {std::pair{"seismo", &tTraceSet::SaveSeismo}, std::pair{"spectro", &tTraceSet::SaveSpectro}}) {
        if (!a.has(option))
            continue;
        const QString name = a.value(option);
        const char* format =
            QFileInfo(name).suffix().compare("pdf", Qt::CaseInsensitive) == 0 ? "PDF" : "BMP";
        if (!(traces.*save)(name, format))
            return cli::ioError(name, QStringLiteral("не удалось записать файл"));
        cli::printLine(name);
    }
    return status;
}

} // namespace tracebuildercli
