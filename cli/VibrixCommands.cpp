#include "VibrixCommands.h"

#include "CsvExport.h"
#include "DownloadProgress.h"
#include "DownloadUnit.h"
#include "FFTUnit.h"
#include "FTProcessingUnit.h"
#include "FailureText.h"
#include "NumberFormat.h"
#include "PlatformFiles.h"
#include "ProjectAccess.h"
#include "SpectrogramPicture.h"
#include "SpectrumView.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>

#include <algorithm>
#include <functional>

namespace vibrixcli {

const char* const kUsage =
    "Использование: vibrix-cli [--locale ИМЯ] КОМАНДА ...\n"
    "  import ПРОЕКТ ПАПКА                 добавить в проект все файлы *.ssm папки\n"
    "                                      (проект создаётся, если его нет) и сохранить\n"
    "  list ПРОЕКТ                         записи проекта по порядку, по строке на запись\n"
    "  export-signal ПРОЕКТ НОМЕР ФАЙЛ     сигналы записи с номером НОМЕР (от 1) в файл CSV\n"
    "  export-spectrum ПРОЕКТ НОМЕР ФАЙЛ   спектры записи в файл CSV\n"
    "  spectrogram ПРОЕКТ НОМЕР ФАЙЛ [--channel 1|2] [--width W]\n"
    "                                      рисунок ЧВ-анализа (PNG, BMP или JPEG по расширению)\n"
    "  report ПРОЕКТ ЗАПИСИ ФАЙЛ.pdf [--settings ФАЙЛ.ini]\n"
    "                                      отчёт по записям в один файл PDF, по странице на запись;\n"
    "                                      ЗАПИСИ: all, НОМЕР или ПЕРВЫЙ-ПОСЛЕДНИЙ (например 2-7);\n"
    "                                      вид графиков и цвета из файла настроек vibrix.ini\n"
    "  piles ПРОЕКТ [--json]               сваи проекта: участок, свая, удары (использовано/всего),\n"
    "                                      скорость волны и откуда она, глубина подошвы, класс\n"
    "  pile ПРОЕКТ УЧАСТОК СВАЯ [--json] [--average ФАЙЛ.csv] [--mobility ФАЙЛ.csv]\n"
    "       [--profile ФАЙЛ.csv]            анализ сваи с её сохранёнными параметрами; в CSV -\n"
    "                                      обработанная средняя кривая, мобильность до 8000 Гц,\n"
    "                                      профиль импеданса первого прохода (глубина; Z/Z0;\n"
    "                                      эквивалентный диаметр)\n"
    "  pile-set ПРОЕКТ УЧАСТОК СВАЯ [ПАРАМЕТРЫ]\n"
    "                                      изменить заключение по свае и сохранить проект:\n"
    "      --length М|-  --diameter М|-  --speed М/С|auto|site|record  --toe-time МС|-  --toe -\n"
    "      --class КЛАСС|-  --remark ТЕКСТ|-  --defect МС:ВИД (сужение, расширение, трещина, обрыв,\n"
    "      иное; можно несколько)  --defects -  --exclude ЗАПИСЬ,...  --include ЗАПИСЬ,...\n"
    "      --lowpass ГЦ (0 - без фильтра)  --amplify G  --scheme I-IV|A-D; \"-\" убирает значение\n"
    "      (--toe-time - возвращает подошву, найденную автоматически; --toe - убирает подошву)\n"
    "  site ПРОЕКТ [--site N] [--json] [--csv ФАЙЛ]\n"
    "                                      скорость волны и классы по участкам, таблица свай в CSV\n"
    "  site-report ПРОЕКТ ФАЙЛ.pdf [--site N [--piles 1-3,7]]\n"
    "                                      отчёт по участку (или по всем участкам) в PDF: сводка,\n"
    "                                      таблица свай и по странице на сваю; --piles - только\n"
    "                                      эти сваи участка\n"
    "  auto ПРОЕКТ [--site N] [--json] [--apply]\n"
    "                                      первый проход по сваям: подошва, длина, находки и\n"
    "                                      предложенный класс; --apply вносит предложения в\n"
    "                                      заключения свай, которые инженер ещё не оценивал\n"
    "  report-info ПРОЕКТ [--organisation Т] [--object Т] [--customer Т] [--instrument Т]\n"
    "       [--operator Т] [--method Т] [--signer Т]\n"
    "                                      шапка отчётов: организация, объект, заказчик, прибор,\n"
    "                                      оператор, метод, подписывает; \"-\" убирает поле; без\n"
    "                                      параметров печатает поля строками \"поле: значение\"\n"
    "  --locale ИМЯ   региональные настройки чисел (например ru_RU или C)\n"
    "Коды выхода: 0 - успешно, 1 - ошибка в командной строке, 2 - ошибка ввода-вывода.\n";

namespace {

bool needArgs(const cli::Args& a, int count, int& status) {
    if (a.positional.size() == count)
        return true;
    status = cli::usageError(
        kUsage, QStringLiteral("у команды %1 должно быть аргументов: %2").arg(a.command).arg(count));
    return false;
}

// The two sensor spectra of a record, as the spectrum view computes them.
TSpectra RecordSpectra(const TMeasureResult& r) {
    TComplexFFT fft;
    return ComputeSpectra(fft, r.Ch0Data, r.Ch1Data, r.SampleLen, r.SampleFreq);
}

} // namespace

int WriteExport(const QString& file, const QByteArray& text) {
    const ExportResult result = WriteExportFile(file, text);
    switch (result.Result) {
    case ExportResult::Written:
        return cli::Ok;
    case ExportResult::NotReplaced:
        return cli::ioError(file, QStringLiteral("существующий файл не удалось заменить"));
    case ExportResult::Failed:
        break;
    }
    return cli::ioError(file, result.Error);
}

int Import(const cli::Args& a) {
    int status = cli::Ok;
    if (!needArgs(a, 2, status))
        return status;
    const QString folder = a.positional[1];
    if (!QFileInfo(folder).isDir())
        return cli::ioError(folder, FailureText({FailureKind::NoSuchFile, 0}));
    ProjectAccess p;
    if (!p.OpenOrCreate(a.positional[0]))
        return cli::IoError;

    TDownloadProgress progress;
    progress.Path = QDir(folder).absolutePath();
    progress.OnAddFile = [&p](const TReadMeasure& f) { return p.dm.AddMeasure(f); };
    progress.RunToEnd();
    if (!p.Save())
        return cli::IoError;

    cli::printLine(QStringLiteral("прочитано файлов (*.ssm): %1").arg(progress.ReadCount));
    cli::printLine(QStringLiteral("добавлено записей в проект: %1").arg(progress.AddCount));
    // By name within the folder, in name order: the same lines whatever order the system lists
    // the folder in.
    const QDir root(folder);
    std::vector<std::pair<QString, QString>> notAdded;
    for (const auto& f : progress.NotAdded)
        notAdded.emplace_back(QDir::toNativeSeparators(root.relativeFilePath(f.fileName)), f.reason);
    std::sort(notAdded.begin(), notAdded.end());
    for (const auto& [name, reason] : notAdded)
        cli::printLine(QStringLiteral("не добавлен: %1: %2").arg(name, reason));
    return cli::Ok;
}

int List(const cli::Args& a) {
    int status = cli::Ok;
    if (!needArgs(a, 1, status))
        return status;
    ProjectAccess p;
    if (!p.Open(a.positional[0]))
        return cli::IoError;
    auto& table = p.dm.cdsVibrix;
    int number = 0;
    for (table.first(); number < table.recordCount(); table.next()) {
        ++number;
        TMeasureResult r;
        if (!p.dm.LoadMeasure(r))
            return cli::ioError(p.project, QStringLiteral("запись %1 повреждена").arg(number));
        const QStringList fields{QString::number(number),
                                 fromDateTimeValue(r.DateTime).toString("dd.MM.yyyy hh:mm:ss.zzz"),
                                 QString::number(r.SiteNumber),
                                 QString::number(r.PileNumber),
                                 FreqToStr(r.SampleFreq),
                                 SampleLenToStr(r.SampleLen),
                                 VelocityToStr(r.Velocity),
                                 BaseLenToStr(r.BaseLen),
                                 AmpToStr(r.Amp)};
        cli::printLine(fields.join("; "));
    }
    return cli::Ok;
}

namespace {

// Opens the project, loads measurement ROW and writes the text `make` builds of it into FILE.
int ExportRecord(const cli::Args& a, const std::function<QByteArray(const TMeasureResult&)>& make) {
    int status = cli::Ok;
    if (!needArgs(a, 3, status))
        return status;
    ProjectAccess p;
    TMeasureResult r;
    if (const auto failed = p.OpenRecord(a.positional[0], a.positional[1], r))
        return *failed;
    return WriteExport(a.positional[2], make(r));
}

} // namespace

int ExportSignal(const cli::Args& a) {
    return ExportRecord(a, [](const TMeasureResult& r) {
        return SignalExportText({r.Ch0Data, r.Ch1Data, r.HamData, r.SampleLen, r.SampleFreq},
                                RecordSpectra(r));
    });
}

int ExportSpectrum(const cli::Args& a) {
    return ExportRecord(a, [](const TMeasureResult& r) { return SpectrumExportText(RecordSpectra(r)); });
}

int Spectrogram(const cli::Args& a) {
    int status = cli::Ok;
    if (!needArgs(a, 3, status))
        return status;
    const auto channel = cli::parseInteger(a.has("channel") ? a.value("channel") : "1");
    if (!channel || (*channel != 1 && *channel != 2))
        return cli::usageError(kUsage, QStringLiteral("номер датчика должен быть 1 или 2"));
    const QString file = a.positional[2];
    if (!QImageWriter::supportedImageFormats().contains(QFileInfo(file).suffix().toLower().toLatin1()))
        return cli::usageError(kUsage, QStringLiteral("формат рисунка не PNG, BMP или JPEG: %1").arg(file));
    ProjectAccess p;
    TMeasureResult r;
    if (const auto failed = p.OpenRecord(a.positional[0], a.positional[1], r))
        return *failed;

    TFTProcessing ft;
    ft.SetSignals(r.Ch0Data, r.Ch1Data);
    ft.SetVelocity(r.Velocity);
    ft.SetSampleFreq(r.SampleFreq);
    ft.SetChannel(*channel - 1);
    if (a.has("width")) {
        const int index = ft.WindowWidths().indexOf(a.value("width"));
        if (index < 0)
            return cli::usageError(kUsage, QStringLiteral("ширина окна %1 не из списка: %2")
                                               .arg(a.value("width"), ft.WindowWidths().join(", ")));
        ft.SelectWindowWidth(index);
    }
    if (!ft.CalcSpectrogram())
        return cli::ioError(p.project, QStringLiteral("запись слишком коротка для ЧВ-анализа"));

    TSpectrogramPicture picture;
    picture.DrawCaptions(QGuiApplication::font());
    picture.DrawSpectrogram(ft.Spectrogram(), ft.SpectrogramLines(), ft.SpectrogramMaximum());
    QImageWriter writer(file);
    if (!writer.write(picture.Image()))
        return cli::ioError(file, FailureText(platform::FailureFromSystemError(platform::LastSystemError())));
    return cli::Ok;
}

} // namespace vibrixcli
