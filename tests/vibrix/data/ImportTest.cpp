#include "DataFixture.h"

#include "DownloadProgress.h"
#include "DownloadUnit.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>

#include <chrono>
#include <utility>

namespace {

// Hand-overs reach the GUI thread through its event loop: the program needs an application.
class CoreApplication : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[8] = "import";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

[[maybe_unused]] auto* const coreApplication = ::testing::AddGlobalTestEnvironment(new CoreApplication);

std::chrono::system_clock::time_point localTime(int y, int mo, int d, int h, int mi, int s, int ms) {
    const QDateTime t(QDate(y, mo, d), QTime(h, mi, s, ms));
    return std::chrono::system_clock::time_point(std::chrono::milliseconds(t.toMSecsSinceEpoch()));
}

class Import : public DataFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(dm.CreateProject(path("p.cdsm")));
        ASSERT_TRUE(dm.OpenProject(path("p.cdsm")));
        ASSERT_TRUE(QDir(dir.path()).mkdir("in"));
        progress.Path = path("in");
        progress.OnAddFile = [this](const TReadMeasure& f) {
            handed << QFileInfo(f.FileName).fileName();
            times.push_back(f.DateTime);
            if (duringHandOver)
                duringHandOver();
            return dm.AddMeasure(f);
        };
    }

    // A measurement in the import folder with its own minute of 2024-03-15 as file time.
    void addMeasurement(const QString& name, int site, int pile, int minute, std::uint32_t seed = 1) {
        ssmgen::FileSpec s = measureSpec(site, pile, seed);
        s.fileTime = localTime(2024, 3, 15, 10, minute, 15, 250);
        writeSsm("in/" + name, s);
    }

    TDownloadProgress progress;
    QStringList handed;
    std::vector<double> times;
    std::function<void()> duringHandOver;
};

} // namespace

TEST_F(Import, SameFolderTwiceAddsNothingTheSecondTime) {
    for (int i = 0; i < 4; ++i)
        addMeasurement(QString("m%1.ssm").arg(i), 1, i + 1, i);
    progress.RunToEnd();
    EXPECT_EQ(progress.ReadCount, 4);
    EXPECT_EQ(progress.AddCount, 4);
    progress.RunToEnd();
    EXPECT_EQ(progress.ReadCount, 4);
    EXPECT_EQ(progress.AddCount, 0);
    EXPECT_EQ(progress.ButtonCaption, QStringLiteral("ОК"));
    EXPECT_EQ(dm.cdsVibrix.recordCount(), 4);
}

TEST_F(Import, FilesOfSeveralBatchesAreTakenInTheOrderOfTheWalk) {
    for (int i = 0; i < 70; ++i)
        addMeasurement(QString("m%1.ssm").arg(i, 2, 10, QChar('0')), 1 + i % 2, i, i % 60);
    QStringList walk;
    for (QDirIterator it(path("in"), {"*.ssm"}, QDir::Files); it.hasNext();)
        walk << QFileInfo(it.next()).fileName();
    progress.RunToEnd();
    EXPECT_EQ(handed, walk);
    EXPECT_EQ(progress.ReadCount, 70);
    EXPECT_EQ(progress.AddCount, 70);
    EXPECT_EQ(dm.cdsVibrix.recordCount(), 70);
}

TEST_F(Import, ForeignFileIsReadButNotAdded) {
    addMeasurement("a.ssm", 1, 1, 1);
    addMeasurement("b.ssm", 1, 2, 2);
    ssmgen::FileSpec foreign = measureSpec(1, 3);
    foreign.title = "Other device data";
    writeSsm("in/c.ssm", foreign);
    writeSsm("in/not-matched.dat", measureSpec(1, 4));
    progress.RunToEnd();
    EXPECT_EQ(progress.ReadCount, 3);
    EXPECT_EQ(progress.AddCount, 2);
    EXPECT_TRUE(progress.Failures.empty());
}

TEST_F(Import, FileTimeBecomesTheRowsDateTimeWithMilliseconds) {
    addMeasurement("a.ssm", 4, 300, 30);
    progress.RunToEnd();
    ASSERT_EQ(dm.cdsVibrix.recordCount(), 1);
    const double expected = 45366 + (10 * 3600 + 30 * 60 + 15.25) / 86400.0; // 2024-03-15 10:30:15.250
    EXPECT_NEAR(vxds::asDouble(dm.cdsVibrix.value("DateTime")), expected, 1e-9);
    EXPECT_EQ(vxds::asInt(dm.cdsVibrix.value("PileNumber")), 300);
    EXPECT_EQ(fromDateTimeValue(expected), QDateTime(QDate(2024, 3, 15), QTime(10, 30, 15, 250)));
}

TEST_F(Import, OfTwoEqualKeysOnlyTheFirstListedIsAdded) {
    addMeasurement("x.ssm", 2, 7, 5, 11);
    addMeasurement("y.ssm", 2, 7, 5, 22);
    progress.RunToEnd();
    ASSERT_EQ(handed.size(), 2);
    EXPECT_EQ(progress.AddCount, 1);
    ASSERT_EQ(dm.cdsVibrix.recordCount(), 1);
    dm.cdsVibrix.first();
    const QByteArray first = packMeasure(MeasureFile(path("in/" + handed[0])).record(times[0]));
    EXPECT_EQ(vxds::asBytes(dm.cdsVibrix.value("Data")), first);
}

TEST_F(Import, AnUnreadableEntryIsListedAndTheWalkGoesOn) {
    addMeasurement("a.ssm", 1, 1, 1);
    ASSERT_TRUE(QDir(dir.path()).mkdir("in/b.ssm"));
    addMeasurement("c.ssm", 1, 3, 3);
    progress.RunToEnd();
    EXPECT_EQ(progress.ReadCount, 3);
    EXPECT_EQ(progress.AddCount, 2);
    ASSERT_EQ(progress.Failures.size(), 1u);
    EXPECT_EQ(QFileInfo(progress.Failures[0].fileName).fileName(), QStringLiteral("b.ssm"));
    EXPECT_EQ(progress.Failures[0].reason,
              QStringLiteral("это не обычный файл (папка, канал или устройство)"));
    EXPECT_TRUE(progress.Finished());
}

TEST_F(Import, EmptyFolderEndsAtOnce) {
    progress.RunToEnd();
    EXPECT_EQ(progress.ReadCount, 0);
    EXPECT_EQ(progress.AddCount, 0);
    EXPECT_TRUE(progress.Finished());
}

TEST_F(Import, AbortKeepsTheRowsAddedSoFarUnsaved) {
    for (int i = 0; i < 40; ++i)
        addMeasurement(QString("m%1.ssm").arg(i, 2, 10, QChar('0')), 1, i, i);
    const QByteArray saved = fileBytes(path("p.cdsm"));
    // The button is pressed once files have been taken: its click waits in the queue.
    bool pressed = false;
    progress.OnChanged = [&] {
        if (progress.ReadCount > 0 && !std::exchange(pressed, true))
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [&] { progress.FormClose(); }, Qt::QueuedConnection);
    };
    progress.FormShow();
    while (progress.ReadThread)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    // The files read by then, a batch already waiting included, are all taken.
    const int read = progress.ReadCount;
    EXPECT_GT(read, 0);
    EXPECT_EQ(progress.AddCount, read);
    EXPECT_EQ(dm.cdsVibrix.recordCount(), read);
    EXPECT_TRUE(dm.IsProjectModified());
    EXPECT_EQ(fileBytes(path("p.cdsm")), saved);
    EXPECT_EQ(progress.ReadThread, nullptr);
}

TEST_F(Import, ClosingRightAfterTheStartServesWhatWasReadAndNothingLater) {
    for (int i = 0; i < 10; ++i)
        addMeasurement(QString("m%1.ssm").arg(i), 1, i, i);
    progress.FormShow();
    progress.FormClose(); // the worker stops after the file it reads, and hands over what it read
    const int read = progress.ReadCount;
    QCoreApplication::processEvents();
    EXPECT_EQ(progress.ReadCount, read);
    EXPECT_EQ(dm.cdsVibrix.recordCount(), progress.AddCount);
}

TEST_F(Import, ClosingInsideAHandOverLetsTheWorkerGoWithoutFurtherHandOvers) {
    for (int i = 0; i < 5; ++i)
        addMeasurement(QString("m%1.ssm").arg(i), 1, i, i);
    QPointer<TReadThread> worker;
    duringHandOver = [&] {
        duringHandOver = nullptr;
        worker = progress.ReadThread;
        progress.FormClose(); // the worker waits for this very hand-over: it cannot end now
    };
    progress.FormShow();
    while (progress.ReadCount < 1)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_FALSE(worker.isNull());
    EXPECT_EQ(progress.ReadThread, nullptr);
    while (!worker.isNull()) // released after the hand-over returned; deletes itself
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(progress.ReadCount, 1);
    EXPECT_EQ(handed.size(), 1);
    EXPECT_FALSE(progress.Finished());
    EXPECT_EQ(dm.cdsVibrix.recordCount(), 1);
}

TEST_F(Import, AnyFailureOfOneFileIsListedAndTheWalkGoesOn) {
    addMeasurement("a.ssm", 1, 1, 1);
    addMeasurement("b.ssm", 1, 2, 2);
    duringHandOver = [&] {
        duringHandOver = nullptr;
        throw std::runtime_error("out of memory");
    };
    progress.RunToEnd();
    EXPECT_EQ(progress.ReadCount, 2);
    EXPECT_EQ(progress.AddCount, 1);
    ASSERT_EQ(progress.Failures.size(), 1u);
    EXPECT_EQ(progress.Failures[0].fileName, path("in/" + handed[0]));
    EXPECT_EQ(progress.Failures[0].reason, QStringLiteral("ошибка ввода-вывода")); // never an English text
}
