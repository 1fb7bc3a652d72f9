#include "DownloadUnit.h"

#include <QDirIterator>
#include <QElapsedTimer>

#include <cmath>

double toDateTimeValue(const QDateTime& local) {
    if (!local.isValid())
        return 0;
    static const QDate kZero(1899, 12, 30);
    return double(kZero.daysTo(local.date())) + local.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime fromDateTimeValue(double value) {
    static const QDate kZero(1899, 12, 30);
    constexpr qint64 kDayMs = 86400000;
    // The fraction counts wall-clock time since midnight: on a day the clocks change, adding it to
    // midnight as elapsed time would be an hour off.
    const qint64 total = std::llround(value * double(kDayMs));
    const qint64 days = total >= 0 ? total / kDayMs : -((-total + kDayMs - 1) / kDayMs);
    return QDateTime(kZero.addDays(days), QTime::fromMSecsSinceStartOfDay(int(total - days * kDayMs)));
}

void TReadThread::Start() {
    Running = 1;
    start();
}

void TReadThread::Stop() {
    stop_ = true;
}

namespace {

// A batch is handed over when it holds this many files (about 6 MB of stored values) or, on a slow
// disk, once its first file waits this long, so that the counters keep moving.
constexpr std::size_t kBatchFiles = 32;
constexpr qint64 kBatchMs = 100;

} // namespace

void TReadThread::Walk() {
    // Every entry the pattern matches, folders and hidden or system entries included, in
    // the order the file system lists them.
    QDirIterator it(Path, {QStringLiteral("*.ssm")},
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    MeasureFile reader;
    QElapsedTimer waiting;
    bool served = true;
    while (served && !stop_ && it.hasNext()) {
        it.next();
        if (Files.empty())
            waiting.start();
        Files.push_back(ReadMeasure(reader, it.filePath(), toDateTimeValue(it.fileInfo().lastModified())));
        // The files read before a stop are still handed over.
        if (Files.size() >= kBatchFiles || waiting.elapsed() >= kBatchMs || stop_ || !it.hasNext())
            served = handOverFiles();
    }
    if (served && OnFinish)
        handOver(OnFinish);
    Running = 0;
}

bool TReadThread::handOverFiles() {
    const bool served = !OnReadFiles || handOver(OnReadFiles);
    Files.clear();
    return served;
}

bool TReadThread::handOver(const std::function<void()>& fn) {
    if (QThread::currentThread() != this) { // walked without the thread: served here and now
        fn();
        return true;
    }
    std::unique_lock lock(mutex_);
    if (abandoned_)
        return false;
    pending_ = &fn;
    served_ = false;
    QMetaObject::invokeMethod(this, &TReadThread::ServePending, Qt::QueuedConnection);
    // An abandoned worker still waits for a hand-over already running: it owns `fn`.
    cv_.wait(lock, [this] { return served_ || (abandoned_ && !inService_); });
    pending_ = nullptr;
    return served_;
}

void TReadThread::ServePending() {
    const std::function<void()>* fn = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (!pending_ || inService_ || served_ || abandoned_)
            return;
        fn = pending_;
        inService_ = true;
    }
    try {
        (*fn)();
    } catch (...) {
        endService();
        throw;
    }
    endService();
}

void TReadThread::endService() {
    {
        std::lock_guard lock(mutex_);
        inService_ = false;
        served_ = true;
    }
    cv_.notify_all();
}

void TReadThread::Abandon() {
    {
        std::lock_guard lock(mutex_);
        abandoned_ = true;
    }
    cv_.notify_all();
}
