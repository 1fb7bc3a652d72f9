#pragma once
// What the import progress window counts and how it ends its worker, without the window:
// the window shows ReadCount, AddCount, ButtonCaption and, at the end, NotAdded.

#include "DownloadUnit.h"

#include <QPointer>

#include <functional>
#include <vector>

class TDownloadProgress {
public:
    struct Failure {
        QString fileName, reason;
    };

    TDownloadProgress() = default;
    TDownloadProgress(const TDownloadProgress&) = delete;
    TDownloadProgress& operator=(const TDownloadProgress&) = delete;
    ~TDownloadProgress();

    QString Path;
    std::function<int(const TReadMeasure&)> OnAddFile; // a file read by the worker; 0 = a row was added
    std::function<void()> OnChanged;                   // counters, caption or failures changed
    int ReadCount = 0;
    int AddCount = 0;
    QString ButtonCaption;
    std::vector<Failure> Failures; // files that could not be read, with the reason in Russian
    // Every file read but not added, in the order of the walk, with the reason in Russian: could
    // not be read, not a measurement file, already in the project.
    std::vector<Failure> NotAdded;
    QPointer<TReadThread> ReadThread;

    void FormShow();
    void ReadThreadFiles(); // a batch, one file after the other, then the counters shown once
    void ReadThreadFinish();
    // Stops the worker, serves a hand-over it waits on, waits up to two seconds for its end
    // and otherwise lets it go without ever handing anything over again.
    void FormClose();
    bool Finished() const { return ButtonCaption == kDone; }
    // Without a window (the command-line tool): the same walk and hand-overs on the caller's
    // thread, to the end.
    void RunToEnd();

    static const QString kAbort, kDone;
    static const QString kPresent; // the reason of a measurement already in the project

private:
    void prepare(); // a new walk set up, its worker not started
    void changed();
    void addFile(const TReadMeasure& file);
};
