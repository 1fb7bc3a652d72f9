#include "VibrixSettings.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

// Keys of the "General" section stand at the top level: QSettings writes those under
// [General], while a group of that name would come out as [%General].
const QString kLastProject = QStringLiteral("LastProject");
const QString kProjectPath = QStringLiteral("ProjectPath");
const QString kImportPath = QStringLiteral("ImportPath");
const QString kExportPath = QStringLiteral("ExportPath");
const QString kGraphics = QStringLiteral("Graphics/");
const QString kWindow = QStringLiteral("Window/");

qint64 readInt(const QSettings& ini, const QString& key, qint64 fallback) {
    bool ok = false;
    const qint64 v = ini.value(key).toString().trimmed().toLongLong(&ok);
    return ok ? v : fallback;
}

bool readBool(const QSettings& ini, const QString& key, bool fallback) {
    return readInt(ini, key, fallback ? 1 : 0) != 0;
}

// A positive finite number (a decimal point, whatever the locale), or the fallback.
double readLength(const QSettings& ini, const QString& key, double fallback) {
    bool ok = false;
    const double v = ini.value(key).toString().trimmed().toDouble(&ok);
    return ok && v > 0 && std::isfinite(v) ? v : fallback;
}

// A gain and a velocity kept from the last run, both as the edits would take them, or none.
void readKeptValues(const QSettings& ini, TViewOptions& v) {
    bool gainOk = false;
    const double gain =
        ini.value(kGraphics + QStringLiteral("KeptGain")).toString().trimmed().toDouble(&gainOk);
    const double velocity = readLength(ini, kGraphics + QStringLiteral("KeptVelocity"), -1);
    v.KeptValues = gainOk && gain >= 0 && std::isfinite(gain) && velocity > 0;
    v.KeptGain = v.KeptValues ? gain : 0;
    v.KeptVelocity = v.KeptValues ? velocity : 0;
}

constexpr qint64 kLargest = 100000; // pixels

// Sizes in pixels separated by spaces; empty when one is no size.
QList<int> readSizes(const QSettings& ini, const QString& key) {
    QList<int> sizes;
    for (const QString& part : ini.value(key).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int size = part.toInt(&ok);
        if (!ok || size < 0 || size > kLargest)
            return {};
        sizes.append(size);
    }
    return sizes;
}

void writeSizes(QSettings& ini, const QString& key, const QList<int>& sizes) {
    QStringList parts;
    for (int size : sizes)
        parts << QString::number(size);
    ini.setValue(key, parts.join(QLatin1Char(' ')));
}

// A place that no screen could hold is no place: the window then starts where it always did.
TWindowPlace readWindow(const QSettings& ini) {
    const auto number = [&ini](const char* key) {
        return std::clamp<qint64>(readInt(ini, kWindow + QLatin1String(key), 0), -kLargest, kLargest);
    };
    TWindowPlace w;
    const QRect normal(int(number("Left")), int(number("Top")), int(number("Width")), int(number("Height")));
    if (normal.width() > 0 && normal.height() > 0 && normal.width() < kLargest && normal.height() < kLargest)
        w.Normal = normal;
    w.Maximized = readBool(ini, kWindow + QStringLiteral("Maximized"), false);
    w.DataSplitter = readSizes(ini, kWindow + QStringLiteral("DataSplitter"));
    w.Pile.Splitter = readSizes(ini, kWindow + QStringLiteral("PileSplitter"));
    w.Pile.Charts = readSizes(ini, kWindow + QStringLiteral("PileCharts"));
    w.Pile.Columns = readSizes(ini, kWindow + QStringLiteral("PileColumns"));
    w.Page = int(std::clamp<qint64>(readInt(ini, kWindow + QStringLiteral("Page"), w.Page), 0, 2));
    return w;
}

QString indexed(const char* key, std::size_t i) {
    return kGraphics + QLatin1String(key) + QString::number(i);
}

} // namespace

TVibrixSettings LoadSettings(const QString& iniFile) {
    const QSettings ini(iniFile, QSettings::IniFormat);
    TVibrixSettings s;
    s.LastProject = ini.value(kLastProject).toString();
    s.ProjectPath = ini.value(kProjectPath).toString();
    s.ImportPath = ini.value(kImportPath).toString();
    s.ExportPath = ini.value(kExportPath).toString();
    TDisplayFlags& f = s.Flags;
    for (std::size_t i = 0; i < f.ChSignalShow.size(); ++i)
        f.ChSignalShow[i] = readBool(ini, indexed("ChSignalShow", i), f.ChSignalShow[i]);
    f.InvertSignal = readBool(ini, kGraphics + QStringLiteral("InvertSignal"), f.InvertSignal);
    for (std::size_t i = 0; i < f.ChSpectrumShow.size(); ++i)
        f.ChSpectrumShow[i] = readBool(ini, indexed("ChSpectrumShow", i), f.ChSpectrumShow[i]);
    // Only the low byte of the value counts.
    const qint64 type = readInt(ini, kGraphics + QStringLiteral("SpectrumType"), 0) & 0xFF;
    f.SpectrumType = type != 0 ? SpectrumAbscissa::Depth : SpectrumAbscissa::Frequency;
    // High bits would be no colour.
    for (std::size_t i = 0; i < f.ChColor.size(); ++i)
        f.ChColor[i] = TColor(readInt(ini, indexed("ChColor", i), f.ChColor[i]) & 0xFFFFFF);
    TViewOptions& v = s.View;
    v.ViewWindow = readBool(ini, kGraphics + QStringLiteral("ViewWindow"), v.ViewWindow);
    v.TimeWindow = readLength(ini, kGraphics + QStringLiteral("TimeWindow"), v.TimeWindow);
    v.DepthWindow = readLength(ini, kGraphics + QStringLiteral("DepthWindow"), v.DepthWindow);
    v.KeepGainAndVelocity =
        readBool(ini, kGraphics + QStringLiteral("KeepGainAndVelocity"), v.KeepGainAndVelocity);
    readKeptValues(ini, v);
    s.NextPileAfterClass =
        readBool(ini, kGraphics + QStringLiteral("NextPileAfterClass"), s.NextPileAfterClass);
    s.Window = readWindow(ini);
    return s;
}

bool SaveSettings(const QString& iniFile, const TVibrixSettings& s) {
    QSettings ini(iniFile, QSettings::IniFormat);
    ini.setValue(kLastProject, s.LastProject);
    ini.setValue(kProjectPath, s.ProjectPath);
    ini.setValue(kImportPath, s.ImportPath);
    ini.setValue(kExportPath, s.ExportPath);
    const TDisplayFlags& f = s.Flags;
    for (std::size_t i = 0; i < f.ChSignalShow.size(); ++i)
        ini.setValue(indexed("ChSignalShow", i), int(f.ChSignalShow[i]));
    ini.setValue(kGraphics + QStringLiteral("InvertSignal"), int(f.InvertSignal));
    for (std::size_t i = 0; i < f.ChSpectrumShow.size(); ++i)
        ini.setValue(indexed("ChSpectrumShow", i), int(f.ChSpectrumShow[i]));
    ini.setValue(kGraphics + QStringLiteral("SpectrumType"), int(f.SpectrumType));
    for (std::size_t i = 0; i < f.ChColor.size(); ++i)
        ini.setValue(indexed("ChColor", i), qint64(f.ChColor[i]));
    const TViewOptions& v = s.View;
    ini.setValue(kGraphics + QStringLiteral("ViewWindow"), int(v.ViewWindow));
    ini.setValue(kGraphics + QStringLiteral("TimeWindow"), QString::number(v.TimeWindow));
    ini.setValue(kGraphics + QStringLiteral("DepthWindow"), QString::number(v.DepthWindow));
    ini.setValue(kGraphics + QStringLiteral("KeepGainAndVelocity"), int(v.KeepGainAndVelocity));
    ini.setValue(kGraphics + QStringLiteral("NextPileAfterClass"), int(s.NextPileAfterClass));
    for (const auto& [key, value] :
         {std::pair{"KeptGain", v.KeptGain}, std::pair{"KeptVelocity", v.KeptVelocity}}) {
        if (v.KeptValues)
            ini.setValue(kGraphics + QLatin1String(key), QString::number(value, 'g', 17));
        else
            ini.remove(kGraphics + QLatin1String(key));
    }
    const TWindowPlace& w = s.Window;
    if (w.Normal.isValid()) {
        ini.setValue(kWindow + QStringLiteral("Left"), w.Normal.x());
        ini.setValue(kWindow + QStringLiteral("Top"), w.Normal.y());
        ini.setValue(kWindow + QStringLiteral("Width"), w.Normal.width());
        ini.setValue(kWindow + QStringLiteral("Height"), w.Normal.height());
    }
    ini.setValue(kWindow + QStringLiteral("Maximized"), int(w.Maximized));
    writeSizes(ini, kWindow + QStringLiteral("DataSplitter"), w.DataSplitter);
    writeSizes(ini, kWindow + QStringLiteral("PileSplitter"), w.Pile.Splitter);
    writeSizes(ini, kWindow + QStringLiteral("PileCharts"), w.Pile.Charts);
    writeSizes(ini, kWindow + QStringLiteral("PileColumns"), w.Pile.Columns);
    ini.setValue(kWindow + QStringLiteral("Page"), w.Page);
    ini.sync();
    return ini.status() == QSettings::NoError;
}
