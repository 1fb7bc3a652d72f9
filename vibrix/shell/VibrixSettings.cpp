#include "VibrixSettings.h"

#include <QSettings>

namespace {

// Keys of the "General" section stand at the top level: QSettings writes those under
// [General], while a group of that name would come out as [%General].
const QString kLastProject = QStringLiteral("LastProject");
const QString kProjectPath = QStringLiteral("ProjectPath");
const QString kGraphics = QStringLiteral("Graphics/");

qint64 readInt(const QSettings& ini, const QString& key, qint64 fallback) {
    bool ok = false;
    const qint64 v = ini.value(key).toString().trimmed().toLongLong(&ok);
    return ok ? v : fallback;
}

bool readBool(const QSettings& ini, const QString& key, bool fallback) {
    return readInt(ini, key, fallback ? 1 : 0) != 0;
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
    return s;
}

bool SaveSettings(const QString& iniFile, const TVibrixSettings& s) {
    QSettings ini(iniFile, QSettings::IniFormat);
    ini.setValue(kLastProject, s.LastProject);
    ini.setValue(kProjectPath, s.ProjectPath);
    const TDisplayFlags& f = s.Flags;
    for (std::size_t i = 0; i < f.ChSignalShow.size(); ++i)
        ini.setValue(indexed("ChSignalShow", i), int(f.ChSignalShow[i]));
    ini.setValue(kGraphics + QStringLiteral("InvertSignal"), int(f.InvertSignal));
    for (std::size_t i = 0; i < f.ChSpectrumShow.size(); ++i)
        ini.setValue(indexed("ChSpectrumShow", i), int(f.ChSpectrumShow[i]));
    ini.setValue(kGraphics + QStringLiteral("SpectrumType"), int(f.SpectrumType));
    for (std::size_t i = 0; i < f.ChColor.size(); ++i)
        ini.setValue(indexed("ChColor", i), qint64(f.ChColor[i]));
    ini.sync();
    return ini.status() == QSettings::NoError;
}
