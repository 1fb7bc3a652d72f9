#include "SiteReportRun.h"

#include <QProgressDialog>
#include <QTimer>

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace {

constexpr std::size_t kAhead = 2; // analyses the worker may have ready before they are painted
constexpr int kTickMs = 5;        // how often the GUI thread looks for analyses ready

// The worker: every step's analysis in order (each pile for its row, then for its page), handed
// over one by one.
class Analyses {
public:
    explicit Analyses(const TSiteReport& report) : report_(report), thread_([this] { run(); }) {}
    ~Analyses() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        room_.notify_all();
        thread_.join();
    }

    // The next step's analysis when it is ready; rethrows what stopped the worker.
    std::shared_ptr<const TPileAnalysis> Next() {
        const std::lock_guard lock(mutex_);
        if (failure_)
            std::rethrow_exception(failure_);
        if (ready_.empty())
            return nullptr;
        auto next = std::move(ready_.front());
        ready_.pop_front();
        room_.notify_all();
        return next;
    }

private:
    void run() {
        try {
            for (int step = 0; step < report_.Steps(); ++step) {
                auto analysis = report_.Analyse(step % report_.PileCount());
                std::unique_lock lock(mutex_);
                room_.wait(lock, [this] { return stop_ || ready_.size() < kAhead; });
                if (stop_)
                    return;
                ready_.push_back(std::move(analysis));
            }
        } catch (...) {
            const std::lock_guard lock(mutex_);
            failure_ = std::current_exception();
        }
    }

    const TSiteReport& report_;
    std::mutex mutex_;
    std::condition_variable room_;
    std::deque<std::shared_ptr<const TPileAnalysis>> ready_;
    std::exception_ptr failure_;
    bool stop_ = false;
    std::thread thread_; // last: it starts when everything it uses is there
};

TSiteReportResult write(TPileAnalyser& analyser, QIODevice& device, QWidget* parent,
                        const std::vector<TPileKey>& only) {
    TSiteReport report(analyser, std::nullopt, only);
    QProgressDialog progress(QStringLiteral("Готовится отчёт по участку…"), QStringLiteral("Отмена"), 0,
                             report.Steps(), parent);
    const QString title = QStringLiteral("Отчёт по участку");
    progress.setWindowTitle(title);
    // Wide enough for the whole title beside the title bar's buttons, under every style.
    progress.setMinimumWidth(progress.fontMetrics().horizontalAdvance(title) * 2 + 120);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    Analyses analyses(report);
    int done = 0;
    std::exception_ptr failure;
    QTimer tick;
    // Each tick takes the rows ready, or one page: a page's charts take a while to paint.
    QObject::connect(&tick, &QTimer::timeout, &progress, [&] {
        try {
            while (const std::shared_ptr<const TPileAnalysis> a = analyses.Next()) {
                const bool page = done >= report.PileCount();
                if (page) {
                    report.AddPilePage(*a);
                } else {
                    report.AddRow(*a);
                    if (done + 1 == report.PileCount())
                        report.Begin(device);
                }
                progress.setValue(++done);
                if (page)
                    break;
            }
        } catch (...) {
            failure = std::current_exception();
        }
        if (failure || done == report.Steps())
            progress.accept();
    });
    tick.start(kTickMs);
    progress.exec(); // a cancel hides the dialog, which ends it
    tick.stop();
    if (failure)
        std::rethrow_exception(failure);
    return done == report.Steps() ? TSiteReportResult::Written : TSiteReportResult::Cancelled;
}

} // namespace

TSiteReportResult RunSiteReport(TPileAnalyser& analyser, const QString& fileName, QWidget* parent,
                                QString& error, const std::vector<TPileKey>& only) {
    return SaveReportFile(
        fileName, [&](QIODevice& device) { return write(analyser, device, parent, only); }, error);
}
