#include "DownloadProgress.h"

#include "FailureText.h"
#include "MeasureResult.h"

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
    FormClose(); // one walk at a time
    ReadCount = AddCount = 0;
    Failures.clear();
    NotAdded.clear();
    ButtonCaption = kAbort;
    ReadThread = new TReadThread;
    ReadThread->Path = Path;
    ReadThread->OnReadFile = [this] { ReadThreadFile(); };
    ReadThread->OnFinish = [this] { ReadThreadFinish(); };
    changed();
    ReadThread->Start();
}

void TDownloadProgress::ReadThreadFile() {
    if (!OnAddFile)
        return;
    ++ReadCount;
    changed();
    // A file that cannot be read is counted, named with its reason, and the walk goes on.
    const auto unreadable = [this](const QString& file, const QString& reason) {
        Failures.push_back({file, reason});
        NotAdded.push_back({file, QStringLiteral("не удалось прочитать: ") + reason});
    };
    const QString fileName = ReadThread->FileName;
    try {
        switch (OnAddFile(fileName, ReadThread->FileDateTime)) {
        case 0:
            ++AddCount;
            break;
        case 2:
            NotAdded.push_back({fileName, kPresent});
            break;
        default:
            NotAdded.push_back({fileName, QStringLiteral("не файл измерений Vibrix4")});
        }
    } catch (const MeasureFileError& e) {
        unreadable(e.fileName, e.reason);
    } catch (const std::exception&) {
        // The system's own text would be English: the user reads ours.
        unreadable(fileName, FailureText({FailureKind::Other, 0}));
    }
    changed();
}

void TDownloadProgress::ReadThreadFinish() {
    ButtonCaption = kDone;
    changed();
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
