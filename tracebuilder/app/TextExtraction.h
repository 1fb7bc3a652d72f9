#pragma once
// The extraction of checked channels into text files, one channel a step, so that a window can
// show its progress and stop it between two files.

#include <QSet>
#include <QString>
#include <QStringList>

#include "tTrcFiles.h"

class tTextExtraction {
public:
    // The channels (without points: each is read when its turn comes) go into `folder`.
    tTextExtraction(tTrc__DataList channels, QString folder);

    int Total() const { return int(channels_.size()); }
    int Done() const { return int(next_); }
    bool Finished() const { return next_ >= channels_.size() || stopped_; }
    // Reads the next channel and writes its file. A channel of a file without "_" in its name is
    // counted as skipped, a file that cannot be read is named in `result.unread`; a file that
    // cannot be written ends the extraction there, with the reason in `failure`.
    void Step();
    // Ends the extraction before the channels not written yet.
    void Stop() { stopped_ = true; }

    // "Извлечено файлов: N в папку <folder>", then what was left out and why, one line each.
    QString Summary() const;
    // Every channel went into its file.
    bool Complete() const;

    const QString folder;
    tTrcFiles::Extraction result;
    QString failure; // why the extraction ended early at a file it could not write

private:
    tTrc__DataList channels_;
    std::size_t next_ = 0;
    bool stopped_ = false;
    QSet<QString> taken_; // names given in this extraction
};
