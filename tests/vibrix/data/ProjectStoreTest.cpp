#include "DataFixture.h"

#include "ProjectFile.h"
#include "ProjectSequences.h"

#include <limits>

#include <QFileInfo>

namespace {

class ProjectStore : public DataFixture {
protected:
    ProjectStore()
        : seq(dm, {[this](const QString& t) { errors << t; },
                   [this](const QString& t) {
                       questions << t;
                       return answer;
                   },
                   [this](const QString& t) {
                       questions << t;
                       return answer == TAnswer::Yes;
                   },
                   [this] { ++cleared; }, [this] { visible = true; }, [this] { visible = false; }}) {}

    std::vector<double> times() {
        std::vector<double> out;
        dm.cdsVibrix.first();
        for (int i = 0; i < dm.cdsVibrix.recordCount(); ++i, dm.cdsVibrix.next())
            out.push_back(vxds::asDouble(dm.cdsVibrix.value("DateTime")));
        return out;
    }

    TProjectSequences seq;
    QStringList errors, questions;
    TAnswer answer = TAnswer::Yes;
    int cleared = 0;
    bool visible = false;
};

} // namespace

TEST_F(ProjectStore, NewProjectHasOneDescriptionRowAndNoMeasurements) {
    ASSERT_TRUE(seq.ProjectCreateSequence(path("new.cdsm")));
    EXPECT_TRUE(dm.IsProjectOpen());
    EXPECT_TRUE(dm.IsProjectEmpty());
    EXPECT_FALSE(dm.IsProjectModified());
    ASSERT_EQ(dm.cdsDesc.recordCount(), 1);
    EXPECT_EQ(vxds::asText(dm.cdsDesc.value("Name")), QStringLiteral("Vibrix4"));
    EXPECT_EQ(vxds::asInt(dm.cdsDesc.value("Version")), 65537);
    EXPECT_EQ(vxds::asText(dm.cdsDesc.value("Comment")), QString());
    EXPECT_EQ(seq.ProjectName, path("new.cdsm"));
    EXPECT_TRUE(seq.ProjectPath.endsWith(QDir::separator()));
    EXPECT_TRUE(visible);
    EXPECT_EQ(cleared, 1);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ProjectStore, ClosingWithoutChangesRewritesTheFileWithoutAsking) {
    const QString file = projectWith("p.cdsm", {{1.0, 1, 1}});
    const QByteArray saved = fileBytes(file);
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    // Only a rewrite brings the contents back.
    QFile(file).resize(0);
    EXPECT_TRUE(seq.ProjectCloseSequence());
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(fileBytes(file), saved);
    EXPECT_FALSE(dm.IsProjectOpen());
    EXPECT_TRUE(seq.ProjectName.isEmpty());
    EXPECT_FALSE(visible);
}

TEST_F(ProjectStore, AnsweringNoLeavesTheFileAsLastSaved) {
    const QString file = projectWith("p.cdsm", {{1.0, 1, 1}});
    const QByteArray saved = fileBytes(file);
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    ASSERT_EQ(dm.AddMeasureFile(writeSsm("x.ssm", measureSpec(2, 2)), 5.0), 0);
    answer = TAnswer::Cancel;
    EXPECT_FALSE(seq.ProjectCloseSequence());
    EXPECT_TRUE(dm.IsProjectModified());
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], QStringLiteral("Сохранить изменеия в проекте\rp.cdsm ?"));
    answer = TAnswer::No;
    EXPECT_TRUE(seq.ProjectCloseSequence());
    EXPECT_EQ(fileBytes(file), saved);
    EXPECT_FALSE(dm.IsProjectOpen());
}

TEST_F(ProjectStore, AnsweringYesSavesTheChanges) {
    const QString file = projectWith("p.cdsm", {{1.0, 1, 1}});
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    ASSERT_EQ(dm.AddMeasureFile(writeSsm("x.ssm", measureSpec(2, 2)), 0.5), 0);
    EXPECT_TRUE(seq.ProjectCloseSequence());
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    EXPECT_EQ(times(), (std::vector<double>{0.5, 1.0}));
}

TEST_F(ProjectStore, CancelChangesBringsBackExactlyTheSavedRows) {
    const QString file = projectWith("p.cdsm", {{3.0, 1, 1}, {1.0, 1, 2}});
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    ASSERT_EQ(dm.AddMeasureFile(writeSsm("x.ssm", measureSpec(2, 2)), 2.0), 0);
    dm.cdsVibrix.first();
    dm.cdsVibrix.deleteRecord();
    seq.CancelChanges();
    EXPECT_TRUE(dm.IsProjectOpen());
    EXPECT_FALSE(dm.IsProjectModified());
    EXPECT_EQ(times(), (std::vector<double>{1.0, 3.0}));
    EXPECT_EQ(seq.ProjectName, file);
}

TEST_F(ProjectStore, DeleteAllThenYesWritesAnEmptyTable) {
    const QString file = projectWith("p.cdsm", {{3.0, 1, 1}, {1.0, 1, 2}});
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    answer = TAnswer::No;
    seq.DeleteAllRecords();
    EXPECT_EQ(dm.cdsVibrix.recordCount(), 2);
    answer = TAnswer::Yes;
    seq.DeleteAllRecords();
    EXPECT_TRUE(dm.IsProjectEmpty());
    EXPECT_TRUE(dm.IsProjectModified());
    EXPECT_EQ(questions.back(), QStringLiteral("Удалить все записи из проекта?"));
    EXPECT_TRUE(seq.ProjectCloseSequence());
    EXPECT_TRUE(questions.back().startsWith(QStringLiteral("Сохранить изменеия в проекте")));
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    EXPECT_TRUE(dm.IsProjectEmpty());
    EXPECT_EQ(dm.cdsDesc.recordCount(), 1);
}

TEST_F(ProjectStore, EditingACommentMarksTheProjectModifiedAndIsSaved) {
    const QString file = projectWith("p.cdsm", {{1.0, 1, 1}});
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    dm.cdsVibrix.edit();
    dm.cdsVibrix.setValue("Comment", QStringLiteral("дефект на 4 м"));
    dm.PostChanges();
    EXPECT_TRUE(dm.IsProjectModified());
    dm.cdsDesc.edit();
    dm.cdsDesc.setValue("Comment", QStringLiteral("Объект 12"));
    ASSERT_TRUE(seq.SaveProject());
    EXPECT_FALSE(dm.IsProjectModified());
    dm.DiscardProject();
    ASSERT_TRUE(dm.OpenProject(file));
    EXPECT_EQ(vxds::asText(dm.cdsVibrix.value("Comment")), QStringLiteral("дефект на 4 м"));
    EXPECT_EQ(vxds::asText(dm.cdsDesc.value("Comment")), QStringLiteral("Объект 12"));
}

TEST_F(ProjectStore, CreatingOverAFileThatCannotBeDeletedSaysSo) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("busy.cdsm/inside"));
    EXPECT_FALSE(seq.ProjectCreateSequence(path("busy.cdsm")));
    EXPECT_EQ(errors, QStringList{QStringLiteral("Не удалось создать проект!")});
    EXPECT_FALSE(dm.IsProjectOpen());
    EXPECT_TRUE(seq.ProjectName.isEmpty());
    errors.clear();
    EXPECT_FALSE(seq.ProjectCreateSequence(path("missing/new.cdsm")));
    EXPECT_EQ(errors, QStringList{QStringLiteral("Не удалось создать проект!")});
}

TEST_F(ProjectStore, CreatingOverAReadOnlyProjectKeepsItAndSaysSo) {
    const QString file = projectWith("p.cdsm", {{1.0, 1, 1}});
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    const QByteArray bytes = old.readAll();
    old.close();
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
    EXPECT_FALSE(seq.ProjectCreateSequence(file));
    EXPECT_EQ(errors, QStringList{QStringLiteral("Не удалось создать проект!")});
    EXPECT_FALSE(dm.IsProjectOpen());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), bytes);
}

// The project's folder goes away while it is open: its file can no longer be written, even
// by a user who may write anywhere.
TEST_F(ProjectStore, AnUnwritableFileClosesWhenUnchangedAndStaysOpenWhenModified) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("gone"));
    const QString file = projectWith("gone/p.cdsm", {{1.0, 1, 1}});
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    ASSERT_TRUE(QDir(path("gone")).removeRecursively());
    EXPECT_TRUE(seq.ProjectCloseSequence());
    EXPECT_EQ(errors.size(), 1);
    EXPECT_FALSE(dm.IsProjectOpen());
    EXPECT_TRUE(seq.ProjectName.isEmpty());
    EXPECT_FALSE(visible);

    ASSERT_TRUE(QDir(dir.path()).mkdir("gone"));
    projectWith("gone/p.cdsm", {{1.0, 1, 1}});
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    dm.DeleteAllRecords();
    ASSERT_TRUE(QDir(path("gone")).removeRecursively());
    answer = TAnswer::Yes;
    EXPECT_FALSE(seq.ProjectCloseSequence());
    EXPECT_EQ(errors.size(), 2);
    EXPECT_TRUE(dm.IsProjectModified());
    EXPECT_EQ(seq.ProjectName, file);
}

TEST_F(ProjectStore, CreatingOverAnOldProjectReplacesIt) {
    const QString file = projectWith("p.cdsm", {{1.0, 1, 1}});
    ASSERT_TRUE(seq.ProjectCreateSequence(file));
    EXPECT_TRUE(dm.IsProjectEmpty());
}

TEST_F(ProjectStore, DuplicateKeysInAFileRefuseTheOpen) {
    dm.cdsDesc.createDataSet();
    dm.cdsDesc.appendRecord({QStringLiteral("Vibrix4"), std::int32_t(65537), QString()});
    dm.cdsVibrix.createDataSet();
    const vxds::Row row = rowOf(usableRecord(1.0, 1, 1));
    dm.cdsVibrix.appendRecord(row);
    dm.cdsVibrix.appendRecord(row);
    ASSERT_TRUE(dm.WriteProjectFile(path("dup.cdsm")));
    dm.DiscardProject();
    EXPECT_FALSE(seq.ProjectOpenSequence(path("dup.cdsm")));
    EXPECT_EQ(errors, QStringList{QStringLiteral("Не удалось открыть проект!")});
    EXPECT_FALSE(dm.IsProjectOpen());
}

TEST_F(ProjectStore, AFileWithOtherTablesIsNoProjectAndLeavesNoTrace) {
    vxds::DataTable other({{"DateTime", vxds::FieldType::DateTime, 0},
                           {"SiteNumber", vxds::FieldType::Memo, 0},
                           {"PileNumber", vxds::FieldType::Int32, 0}});
    other.createDataSet();
    other.appendRecord({1.0, QStringLiteral("one"), std::int32_t(1)});
    dm.cdsDesc.createDataSet();
    dm.cdsDesc.appendRecord({QStringLiteral("Vibrix4"), std::int32_t(65537), QString()});
    FileFailure why;
    ASSERT_TRUE(saveProjectFile(path("other.cdsm"), dm.cdsDesc, other, nullptr, why));
    dm.DiscardProject();
    EXPECT_FALSE(seq.ProjectOpenSequence(path("other.cdsm")));
    EXPECT_EQ(errors, QStringList{QStringLiteral("Не удалось открыть проект!")});
    ASSERT_TRUE(seq.ProjectCreateSequence(path("new.cdsm")));
    EXPECT_EQ(dm.cdsVibrix.fields().size(), 5u);
    EXPECT_EQ(dm.AddMeasureFile(writeSsm("a.ssm", measureSpec(1, 1)), 1.0), 0);
}

TEST_F(ProjectStore, TheChangeCounterNeverReturnsToZero) {
    const QString file = projectWith("p.cdsm", {{1.0, 1, 1}});
    ASSERT_TRUE(seq.ProjectOpenSequence(file));
    for (int start : {0, 1, 2, std::numeric_limits<int>::max(), -1}) {
        dm.ChangeCount = start;
        dm.cdsVibrix.edit();
        EXPECT_NE(dm.ChangeCount, 0) << start;
        EXPECT_EQ(dm.ChangeCount & 1, 1) << start;
        dm.cdsVibrix.cancel();
    }
}
