#pragma once
// The settings file: "[General]" with LastProject and ProjectPath, "[Graphics]" with the display
// flags (1 and 0) and the channel colours (decimal 0x00BBGGRR). Read key by key, each with its
// default; a value that is no number takes the default.

#include "DisplayFlags.h"

#include <QString>

struct TVibrixSettings {
    QString LastProject;
    QString ProjectPath;
    TDisplayFlags Flags;
};

TVibrixSettings LoadSettings(const QString& iniFile);
// False when the file could not be written.
bool SaveSettings(const QString& iniFile, const TVibrixSettings& settings);
