#pragma once
// The line above each trace picture that names the folder and the time the traces were built
// from; while another folder is listed the pictures are marked as those of the old folder.

#include <QLabel>
#include <QList>
#include <QString>

class TraceSource {
public:
    explicit TraceSource(QList<QLabel*> labels) : labels_(std::move(labels)) {}

    // The traces were just built from `folder` at `msecsSinceEpoch`.
    void Built(const QString& folder, qint64 msecsSinceEpoch);
    // The catalogue now lists `folder`.
    void FolderListed(const QString& folder);
    // The velocity the pictures are drawn with when it is not the one the edits show; empty: it is.
    void Velocity(const QString& text);

    static QString Text(const QString& folder, const QString& when, const QString& velocity,
                        bool otherFolderListed);

private:
    void Show();

    QList<QLabel*> labels_;
    QString builtFrom_, when_, listed_, velocity_;
};
