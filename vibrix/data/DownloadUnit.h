#pragma once
// The folder import worker: lists Path/*.ssm, reads and decodes the entries with their
// last-write times, and hands them to the GUI thread in batches, waiting until the GUI thread
// is done with each. It never touches a table itself.

#include "MeasureResult.h"

#include <QDateTime>
#include <QString>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

// A local date-time as days since 30 December 1899 with the time of day as the fraction.
double toDateTimeValue(const QDateTime& local);
// The reverse: a stored date-time value as local date and time, to the millisecond.
QDateTime fromDateTimeValue(double value);

class TReadThread : public QThread {
    Q_OBJECT
public:
    using QThread::QThread;

    QString Path;                                // folder to walk
    std::vector<TReadMeasure> Files;             // entries being handed over, in the walk's order
    std::function<void()> OnReadFiles, OnFinish; // run on the GUI thread
    std::atomic<int> Running{0};

    void Start();
    void Stop();
    bool Stopped() const { return Running == 0; }

    // GUI thread: runs a hand-over that is waiting, if any.
    void ServePending();
    // GUI thread: from now on nothing is handed over; a waiting worker goes on unserved.
    void Abandon();

    // The walk. Run by the thread once started; called on a thread of its own without starting
    // it (the command-line tool), every hand-over is served there at once.
    void Walk();

protected:
    void run() override { Walk(); }

private:
    bool handOver(const std::function<void()>& fn);
    bool handOverFiles(); // the batch read so far, if any; then an empty one
    void endService();

    std::mutex mutex_;
    std::condition_variable cv_;
    const std::function<void()>* pending_ = nullptr;
    bool inService_ = false;
    bool served_ = false;
    bool abandoned_ = false;
    std::atomic<bool> stop_{false};
};
