#include "TraceSource.h"

#include <QDir>

#include "FileDateText.h"

void TraceSource::Built(const QString& folder, qint64 msecsSinceEpoch) {
    builtFrom_ = listed_ = folder;
    when_ = FileDateText()(msecsSinceEpoch).toString();
    Show();
}

void TraceSource::FolderListed(const QString& folder) {
    listed_ = folder;
    if (!builtFrom_.isEmpty())
        Show();
}

void TraceSource::Velocity(const QString& text) {
    if (text == velocity_)
        return;
    velocity_ = text;
    if (!builtFrom_.isEmpty())
        Show();
}

QString TraceSource::Text(const QString& folder, const QString& when, const QString& velocity,
                          bool otherFolderListed) {
    QString text = QStringLiteral("Построено по папке %1, %2").arg(QDir::toNativeSeparators(folder), when);
    if (!velocity.isEmpty())
        text += QStringLiteral(", скорость ") + velocity;
    return otherFolderListed ? text + QStringLiteral(" — открыта другая папка, постройте трассы заново")
                             : text;
}

void TraceSource::Show() {
    const bool other = listed_ != builtFrom_;
    for (QLabel* label : labels_) {
        label->setText(Text(builtFrom_, when_, velocity_, other));
        label->setStyleSheet(other ? QStringLiteral("color: #c00000; font-weight: bold;") : QString());
    }
}
