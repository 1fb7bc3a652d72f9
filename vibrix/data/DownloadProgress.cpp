#include "DownloadProgress.h"

#include "FailureText.h"

#include <QDeadlineTimer>

const QString TDownloadProgress::kAbort = QStringLiteral("Прервать");
const QString TDownloadProgress::kDone = QStringLiteral("ОК");
const QString TDownloadProgress::kPresent = QStringLiteral("уже есть в проекте");

namespace {

constexpr int kCloseWaitMs = 2000;

} // namespace

TDownloadProgress::~TDownloadProgress() {
    FormClose();
}

void TDownloadProgress::changed() {
    if (OnChanged)
        OnChanged();
}

void TDownloadProgress::FormShow() {
    prepare();
    ReadThread->Start();
}

void TDownloadProgress::prepare() {
    FormClose(); // one walk at a time
    ReadCount = AddCount = 0;
    Failures.clear();
    NotAdded.clear();
    ButtonCaption = kAbort;
    ReadThread = new TReadThread;
    ReadThread->Path = Path;
    ReadThread->OnReadFiles = [this] { ReadThreadFiles(); };
    ReadThread->OnFinish = [this] { ReadThreadFinish(); };
    changed();
}

void TDownloadProgress::ReadThreadFiles() {
    if (!OnAddFile)
        return;
    // The worker waits until this returns, so its batch stays as it is, also when the window is
    // closed in the middle of it: the files after that are not taken.
    TReadThread* worker = ReadThread;
    for (const TReadMeasure& file : worker->Files) {
        if (ReadThread != worker)
            break;
        ++ReadCount;
        addFile(file);
    }
    changed();
}

void TDownloadProgress::addFile(const TReadMeasure& file) {
    // A file that cannot be read is counted, named with its reason, and the walk goes on.
    const auto unreadable = [this](const QString& fileName, const QString& reason) {
        Failures.push_back({fileName, reason});
        NotAdded.push_back({fileName, QStringLiteral("не удалось прочитать: ") + reason});
    };
    if (file.kind == TReadMeasure::Kind::Unreadable) {
        unreadable(file.FileName, file.Reason);
        return;
    }
    try {
        switch (OnAddFile(file)) {
        case 0:
            ++AddCount;
            break;
        case 2:
            NotAdded.push_back({file.FileName, kPresent});
            break;
        default:
            NotAdded.push_back({file.FileName, QStringLiteral("не файл измерений Vibrix4")});
        }
    } catch (const MeasureFileError& e) {
        unreadable(e.fileName, e.reason);
    } catch (const std::exception&) {
        // The system's own text would be English: the user reads ours.
        unreadable(file.FileName, FailureText({FailureKind::Other, 0}));
    }
}

void TDownloadProgress::ReadThreadFinish() {
    ButtonCaption = kDone;
    changed();
}

// The walk on the caller's thread: no worker thread is started, so none is left behind when the
// program ends (under Wine a finished worker could keep the process from ending).
void TDownloadProgress::RunToEnd() {
    prepare();
    ReadThread->Walk();
    delete ReadThread;
    ReadThread = nullptr;
}

void TDownloadProgress::FormClose() {
    TReadThread* worker = ReadThread;
    if (!worker)
        return;
    worker->Stop();
    const QDeadlineTimer deadline(kCloseWaitMs);
    while (!worker->wait(10) && !deadline.hasExpired())
        worker->ServePending();
    ReadThread = nullptr;
    if (worker->isFinished()) {
        delete worker;
        return;
    }
    worker->Abandon();
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    if (worker->isFinished()) // it may have ended before the connection
        worker->deleteLater();
}
