#include "TraceBuilderCommands.h"

#include "CatalogueControls.h"
#include "FailureText.h"
#include "TrcError.h"
#include "tTraceSet.h"

#include <QDir>
#include <QFileInfo>

namespace tracebuildercli {

const char* const kUsage =
    "Использование: tracebuilder-cli [--locale ИМЯ] КОМАНДА ПАПКА ... [фильтр]\n"
    "  list ПАПКА                 строки списка файлов, пустая строка, строки списка каналов\n"
    "  extract ПАПКА ВЫХОД        каждый канал списка в текстовый файл папки ВЫХОД\n"
    "  traces ПАПКА [--velocity V] [--ku K] [--base B] [--depth D]\n"
    "             [--seismo ФАЙЛ] [--spectro ФАЙЛ]\n"
    "                             СЕЙСМО и СПЕКТРО трассы всех каналов списка в файлы BMP\n"
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

// Puts a number option into a parameter; false with a message when it is not a usable number.
bool TakeNumber(const cli::Args& a, const char* name, double& parameter, double least, int& status) {
    if (!a.has(name))
        return true;
    const auto v = cli::parseNumber(a.value(name));
    if (!v || !(*v >= least)) {
        status = cli::usageError(kUsage,
                                 QStringLiteral("недопустимое значение --%1: %2").arg(name, a.value(name)));
        return false;
    }
    parameter = *v;
    return true;
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
        for (const QString& name : c.set.catalogue.Extract(QDir(out).absolutePath()).written)
            cli::printLine(name);
    } catch (const tFileError& e) {
        return cli::ioError(out, QString::fromStdString(e.what()));
    }
    return cli::Ok;
}

int Traces(const cli::Args& a) {
    CatalogueControls c;
    tAppInt app;
    int status = cli::Ok;
    double depth = 50;
    if (!TakeNumber(a, "velocity", app.velocity, 1.0, status) || !TakeNumber(a, "ku", app.ku, 0.0, status) ||
        !TakeNumber(a, "base", app.base, 1e-9, status) || !TakeNumber(a, "depth", depth, 5.0, status))
        return status;
    if (depth > 50)
        return cli::usageError(kUsage,
                               QStringLiteral("глубина трасс от 5 до 50 м: %1").arg(a.value("depth")));
    if (const auto failed = Prepare(a, 1, c))
        return *failed;

    QTabWidget tabs;
    const tTraceTab seismoTab(tabs, QStringLiteral("СЕЙСМО Трасса"), 1, 1, 1);
    const tTraceTab spectroTab(tabs, QStringLiteral("СПЕКТРО Трасса"), 0, 90, 10);
    seismoTab.track->setValue(int(depth));
    spectroTab.track->setValue(int(depth));
    tTraceSet traces(&app, seismoTab, spectroTab);
    try {
        c.set.catalogue.CollectChecked();
        traces.Build(c.set.catalogue.checked());
    } catch (const tTrcError& e) {
        return cli::ioError(a.positional[0], QStringLiteral("ошибка построения трасс, код %1").arg(e.code));
    } catch (const tFileError& e) {
        return cli::ioError(a.positional[0], QString::fromStdString(e.what()));
    }
    if (c.set.catalogue.checked().empty())
        return cli::ioError(a.positional[0], QStringLiteral("нет каналов для трасс"));
    for (const auto& [option, save] :
         {std::pair{"seismo", &tTraceSet::SaveSeismo}, std::pair{"spectro", &tTraceSet::SaveSpectro}}) {
        if (!a.has(option))
            continue;
        if (!(traces.*save)(a.value(option), "BMP"))
            return cli::ioError(a.value(option), QStringLiteral("не удалось записать рисунок"));
        cli::printLine(a.value(option));
    }
    return cli::Ok;
}

} // namespace tracebuildercli
