#include "DataFixture.h"

#include "ProjectSequences.h"

#include <QtEndian>

#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ProjectFile : public DataFixture {
protected:
    ProjectFile() : seq(dm, ui()) {}

    TProjectUi ui() {
        TProjectUi u;
        u.showError = [this](const QString& t) { errors << t; };
        u.askYesNoCancel = [](const QString&) { return TAnswer::Yes; };
        return u;
    }

    void writeBytes(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    // Opening these bytes as a project fails cleanly.
    void expectRefused(const QByteArray& bytes, const std::string& what) {
        writeBytes(path("bad.cdsm"), bytes);
        expectOpenRefused(path("bad.cdsm"), kDamaged, what);
    }

    void expectOpenRefused(const QString& file, const QString& reason, const std::string& what) {
        errors.clear();
        EXPECT_FALSE(seq.ProjectOpenSequence(file)) << what;
        EXPECT_EQ(errors, QStringList{QStringLiteral("Не удалось открыть проект!")}) << what;
        EXPECT_EQ(dm.LastError, reason) << what;
        EXPECT_FALSE(dm.IsProjectOpen()) << what;
        EXPECT_TRUE(seq.ProjectName.isEmpty()) << what;
    }

    // A project file of one description row and the given measurement rows, as no writer of ours
    // would make them.
    QString craftedProject(const std::vector<vxds::Row>& rows, int descriptionRows = 1) {
        dm.cdsDesc.createDataSet();
        for (int i = 0; i < descriptionRows; ++i)
            dm.cdsDesc.appendRecord({QStringLiteral("Vibrix4"), std::int32_t(65537), QString()});
        dm.cdsVibrix.createDataSet();
        for (const vxds::Row& row : rows)
            dm.cdsVibrix.appendRecord(row);
        EXPECT_TRUE(dm.WriteProjectFile(path("crafted.cdsm")));
        dm.DiscardProject();
        return path("crafted.cdsm");
    }

    const QString kDamaged = QStringLiteral("файл повреждён или записан другой программой");

    TProjectSequences seq;
    QStringList errors;
};

// Lets writes fail past `bytes` in this process, like a full disk, while alive.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = old_;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace

TEST_F(ProjectFile, CutsAroundEveryPacketBoundaryAreRefused) {
    const QByteArray good = fileBytes(projectWith("p.cdsm", {{1.0, 1, 1}}));
    const qint64 l1 = qFromLittleEndian<qint32>(good.constData());
    const qint64 l2 = qFromLittleEndian<qint32>(good.constData() + 4 + l1);
    ASSERT_EQ(8 + l1 + l2, good.size());
    for (qint64 boundary : {qint64(0), qint64(4), 4 + l1, 8 + l1, qint64(good.size())})
        for (qint64 cut = boundary - 3; cut <= boundary + 3; ++cut)
            if (cut >= 0 && cut < good.size())
                expectRefused(good.left(cut), "cut at " + std::to_string(cut));
    expectRefused(good + '\0', "a byte appended");
    ASSERT_TRUE(seq.ProjectOpenSequence(path("p.cdsm")));
    EXPECT_EQ(dm.cdsVibrix.recordCount(), 1);
}

TEST_F(ProjectFile, DamagedLengthsAreRefusedBeforeReading) {
    const QByteArray good = fileBytes(projectWith("p.cdsm", {}));
    const qint64 l1 = qFromLittleEndian<qint32>(good.constData());
    for (qint32 bad : {qint32(-1), qint32(0x7FFFFFFF), qint32(l1 + 1), qint32(l1 - 1)}) {
        QByteArray b = good;
        qToLittleEndian(bad, b.data());
        expectRefused(b, "first length " + std::to_string(bad));
        b = good;
        qToLittleEndian(bad, b.data() + 4 + l1);
        expectRefused(b, "second length " + std::to_string(bad));
    }
}

TEST_F(ProjectFile, FlippedBytesAreRefused) {
    const QByteArray small = fileBytes(projectWith("s.cdsm", {}));
    for (int i = 0; i < small.size(); ++i) {
        QByteArray b = small;
        b[i] = char(b[i] ^ 0x01);
        expectRefused(b, "flip at " + std::to_string(i));
    }
    const QByteArray big = fileBytes(projectWith("b.cdsm", {{1.0, 1, 1}, {2.0, 1, 1}}));
    for (int i = 0; i < big.size(); i += 4999) {
        QByteArray b = big;
        b[i] = char(b[i] ^ 0x80);
        expectRefused(b, "flip at " + std::to_string(i));
    }
}

TEST_F(ProjectFile, AFailedSaveKeepsTheOldFileTheTablesAndTheChanges) {
    const QString file = projectWith("p.cdsm", {{1.0, 1, 1}});
    const QByteArray saved = fileBytes(file);
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    ASSERT_EQ(dm.AddMeasureFile(writeSsm("x.ssm", measureSpec(2, 2)), 2.0), 0);
    const int changes = dm.ChangeCount;
    {
        FileSizeLimit full(100000);
        EXPECT_FALSE(seq.SaveProject());
        EXPECT_FALSE(seq.ProjectCloseSequence());
    }
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors[0], QStringLiteral("Не удалось сохранить проект «p.cdsm»: файл слишком велик"));
    EXPECT_EQ(errors[1], errors[0]);
    EXPECT_EQ(fileBytes(file), saved);
    EXPECT_TRUE(dm.IsProjectOpen());
    EXPECT_EQ(dm.ChangeCount, changes);
    EXPECT_EQ(dm.cdsVibrix.recordCount(), 2);
    EXPECT_EQ(seq.ProjectName, file);
    EXPECT_EQ(QDir(dir.path()).entryList({"p.cdsm*"}), QStringList{"p.cdsm"}); // no leftovers
    EXPECT_TRUE(seq.SaveProject());
    EXPECT_FALSE(dm.IsProjectModified());
    EXPECT_NE(fileBytes(file), saved);
}

TEST_F(ProjectFile, AMissingProjectIsNamedAsSuch) {
    expectOpenRefused(path("nowhere.cdsm"), QStringLiteral("файл или папка не найдены"), "missing file");
}

namespace {

// Keeps new files out of a folder while alive: by its permissions, or for a user whom they do not
// stop, by the file system's immutable flag. `locked` is false when neither works here.
class LockedFolder {
public:
    explicit LockedFolder(const QString& folder) : path_(QFile::encodeName(folder)) {
        ::chmod(path_.constData(), 0555);
        if (!canCreate()) {
            locked = true;
            return;
        }
        fd_ = ::open(path_.constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            immutable_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
        }
        locked = immutable_ && !canCreate();
    }
    ~LockedFolder() {
        if (immutable_) {
            int flags = 0;
            ::ioctl(fd_, FS_IOC_GETFLAGS, &flags);
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
        if (fd_ >= 0)
            ::close(fd_);
        ::chmod(path_.constData(), 0755);
    }
    bool locked = false;

private:
    bool canCreate() const {
        const QByteArray probe = path_ + "/probe";
        const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
        ::unlink(probe.constData());
        return true;
    }

    QByteArray path_;
    int fd_ = -1;
    bool immutable_ = false;
};

ino_t inodeOf(const QString& file) {
    struct stat info {};
    return ::stat(QFile::encodeName(file).constData(), &info) == 0 ? info.st_ino : 0;
}

} // namespace

TEST_F(ProjectFile, AFolderThatTakesNoNewFileIsSavedInPlace) {
    QDir(dir.path()).mkdir("site");
    const QString file = projectWith("site/p.cdsm", {{1.0, 1, 1}});
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    // Where a new file can be made, the save replaces the old file with a complete new one.
    const ino_t before = inodeOf(file);
    ASSERT_EQ(dm.AddMeasureFile(writeSsm("x.ssm", measureSpec(2, 2)), 2.0), 0);
    ASSERT_TRUE(seq.SaveProject());
    EXPECT_NE(inodeOf(file), before);
    {
        LockedFolder lock(path("site"));
        if (!lock.locked)
            GTEST_SKIP() << "no way to keep new files out of a folder here";
        const ino_t inPlace = inodeOf(file);
        ASSERT_EQ(dm.AddMeasureFile(writeSsm("y.ssm", measureSpec(3, 3)), 3.0), 0);
        EXPECT_TRUE(seq.SaveProject());
        EXPECT_TRUE(errors.isEmpty());
        EXPECT_EQ(inodeOf(file), inPlace);
        EXPECT_TRUE(seq.ProjectCloseSequence());
    }
    EXPECT_EQ(QDir(path("site")).entryList(QDir::Files), QStringList{"p.cdsm"});
    ASSERT_TRUE(dm.OpenProject(file));
    EXPECT_EQ(dm.cdsVibrix.recordCount(), 3);
}

TEST_F(ProjectFile, APipeOrADeviceIsNoProjectAndIsNotWaitedOn) {
    const QByteArray pipe = QFile::encodeName(path("pipe.cdsm"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    // A writer keeps the pipe open, so that even a blocking open would return.
    const int writer = ::open(pipe.constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const QString notAFile = QStringLiteral("это не обычный файл (папка, канал или устройство)");
    expectOpenRefused(path("pipe.cdsm"), notAFile, "pipe");
    ::close(writer);
    ASSERT_TRUE(QFile::link("/dev/zero", path("zero.cdsm")));
    expectOpenRefused(path("zero.cdsm"), notAFile, "device");
    QDir(dir.path()).mkdir("folder.cdsm");
    expectOpenRefused(path("folder.cdsm"), notAFile, "folder");
}

TEST_F(ProjectFile, RowsOurWriterNeverMakesAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN(),
                 inf = std::numeric_limits<double>::infinity();
    std::vector<std::pair<std::string, vxds::Row>> cases;
    for (double t : {nan, inf, -inf}) {
        TMeasureResult r = usableRecord();
        r.DateTime = t;
        cases.push_back({"date-time " + std::to_string(t), rowOf(r)});
    }
    vxds::Row nullKey = rowOf(usableRecord());
    nullKey[0] = vxds::Value{};
    cases.push_back({"no date-time", nullKey});
    for (qsizetype size : {qsizetype(0), qsizetype(64), qsizetype(196671), qsizetype(196673)}) {
        vxds::Row row = rowOf(usableRecord());
        row[3] = QByteArray(size, '\1');
        cases.push_back({"data of " + std::to_string(size) + " bytes", row});
    }
    vxds::Row noData = rowOf(usableRecord());
    noData[3] = vxds::Value{};
    cases.push_back({"no data", noData});
    for (double f : {0.0, -50000.0, nan, inf}) {
        TMeasureResult r = usableRecord();
        r.SampleFreq = f;
        cases.push_back({"frequency " + std::to_string(f), rowOf(r)});
    }
    for (int n : {0, 2, 3, 6, 1000, 32768, -16384}) {
        TMeasureResult r = usableRecord();
        r.SampleLen = n;
        cases.push_back({"length " + std::to_string(n), rowOf(r)});
    }
    for (auto& [what, row] : cases) {
        row[2] = std::int32_t(3); // a key of its own
        expectOpenRefused(craftedProject({rowOf(usableRecord()), row}), kDamaged, what);
    }
    expectOpenRefused(craftedProject({}, 2), kDamaged, "two description rows");

    // Every length from 4 to 16384 that is a power of two is one of ours.
    std::vector<vxds::Row> rows;
    for (int n = 4; n <= 16384; n *= 2) {
        TMeasureResult r = usableRecord();
        r.SampleLen = n;
        r.DateTime += n;
        rows.push_back(rowOf(r));
    }
    ASSERT_TRUE(seq.ProjectOpenSequence(craftedProject(rows)));
    EXPECT_EQ(dm.cdsVibrix.recordCount(), 13);
}
