#include "DataFixture.h"

#include "ProjectSequences.h"

#include <QtEndian>

#include <csignal>
#include <sys/resource.h>

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
        errors.clear();
        EXPECT_FALSE(seq.ProjectOpenSequence(path("bad.cdsm"))) << what;
        EXPECT_EQ(errors, QStringList{QStringLiteral("Не удалось открыть проект!")}) << what;
        EXPECT_FALSE(dm.IsProjectOpen()) << what;
        EXPECT_TRUE(seq.ProjectName.isEmpty()) << what;
    }

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
    EXPECT_FALSE(errors[0].isEmpty());
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
