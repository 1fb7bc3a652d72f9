#include "VelocityText.h"

#include <algorithm>

#include "NumberText.h"

QString VelocityText(const tAppInt& app, std::span<const float> fileVelocities) {
    if (!app.velocityFromFiles)
        return QStringLiteral("%1 м/с").arg(generalFloatText(app.velocity));
    if (fileVelocities.empty())
        return QStringLiteral("из файлов");
    double slowest = app.VelocityOf(fileVelocities.front()), fastest = slowest;
    for (float v : fileVelocities) {
        slowest = std::min(slowest, app.VelocityOf(v));
        fastest = std::max(fastest, app.VelocityOf(v));
    }
    if (slowest == fastest)
        return QStringLiteral("из файлов, %1 м/с").arg(generalFloatText(slowest));
    return QStringLiteral("из файлов, %1–%2 м/с").arg(generalFloatText(slowest), generalFloatText(fastest));
}
