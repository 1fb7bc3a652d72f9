#include "DataFixture.h"

namespace {

class DataModule : public DataFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(dm.CreateProject(path("p.cdsm")));
        ASSERT_TRUE(dm.OpenProject(path("p.cdsm")));
    }
};

} // namespace

TEST_F(DataModule, AddMeasureFileAddsOnceAndReportsDuplicates) {
    const QString a = writeSsm("a.ssm", measureSpec(3, 17, 1));
    const QString other = writeSsm("b.ssm", measureSpec(3, 17, 2)); // other samples, same key
    EXPECT_EQ(dm.AddMeasureFile(a, 45000.25), 0);
    EXPECT_EQ(dm.AddMeasureFile(other, 45000.25), 2);
    EXPECT_EQ(dm.AddMeasureFile(other, 45000.26), 0);
    EXPECT_EQ(dm.cdsVibrix.recordCount(), 2);
    EXPECT_TRUE(dm.IsProjectModified());
    EXPECT_EQ(dm.ChangeCount % 2, 1);
}

TEST_F(DataModule, ForeignFileIsNotTaken) {
    ssmgen::FileSpec foreign = measureSpec(1, 1);
    foreign.title = "Vibrix3 data file";
    EXPECT_EQ(dm.AddMeasureFile(writeSsm("x.ssm", foreign), 1.0), 1);
    EXPECT_TRUE(dm.IsProjectEmpty());
    EXPECT_FALSE(dm.IsProjectModified());
}

TEST_F(DataModule, Piles44And300AreTwoMeasurements) {
    EXPECT_EQ(dm.AddMeasureFile(writeSsm("a.ssm", measureSpec(5, 300)), 45000.0), 0);
    EXPECT_EQ(dm.AddMeasureFile(writeSsm("b.ssm", measureSpec(5, 44)), 45000.0), 0);
    EXPECT_EQ(piles(), (std::vector<int>{44, 300}));
    EXPECT_TRUE(dm.RecordExists(45000.0, 5, 300));
    EXPECT_EQ(vxds::asInt(dm.cdsVibrix.value("PileNumber")), 300);
    TMeasureResult r;
    ASSERT_TRUE(dm.LoadMeasure(r));
    EXPECT_EQ(r.PileNumber, 300);
    EXPECT_EQ(vxds::asBytes(dm.cdsVibrix.value("Data")).size(), 196672);
}

TEST_F(DataModule, UnreadableFileRaisesAndAddsNothing) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("d.ssm"));
    EXPECT_THROW(dm.AddMeasureFile(path("d.ssm"), 1.0), MeasureFileError);
    EXPECT_TRUE(dm.IsProjectEmpty());
}

TEST_F(DataModule, LoadMeasureFollowsTheCurrentRow) {
    TMeasureResult r;
    EXPECT_FALSE(dm.LoadMeasure(r));
    ASSERT_EQ(dm.AddMeasureFile(writeSsm("a.ssm", measureSpec(1, 2)), 2.0), 0);
    ASSERT_EQ(dm.AddMeasureFile(writeSsm("b.ssm", measureSpec(1, 1)), 1.0), 0);
    dm.cdsVibrix.last();
    ASSERT_TRUE(dm.LoadMeasure(r));
    EXPECT_EQ(r.DateTime, 2.0);
    EXPECT_EQ(r.PileNumber, 2);
    dm.cdsVibrix.edit();
    dm.cdsVibrix.setValue("Data", QByteArray(100, '\0')); // a damaged value is refused, not read
    ASSERT_TRUE(dm.LoadMeasure(r) == false);
    EXPECT_EQ(dm.cdsVibrix.state(), vxds::DataTable::State::Browse);
    EXPECT_TRUE(r.Ch0Data.empty());
}

TEST_F(DataModule, StoreMeasureFailsWithoutAProject) {
    dm.DiscardProject();
    EXPECT_FALSE(dm.StoreMeasure(MeasureFile(writeSsm("a.ssm", measureSpec(1, 1))).record(1.0)));
    EXPECT_FALSE(dm.IsProjectOpen());
}

TEST_F(DataModule, AfterScrollReachesTheWindowOnlyInBrowseState) {
    ASSERT_EQ(dm.AddMeasureFile(writeSsm("a.ssm", measureSpec(1, 1)), 1.0), 0);
    ASSERT_EQ(dm.AddMeasureFile(writeSsm("b.ssm", measureSpec(1, 2)), 2.0), 0);
    std::vector<int> shown;
    dm.OnAfterScrollResult = [&](vxds::DataTable& t) { shown.push_back(t.recNo()); };
    dm.cdsVibrix.first();
    dm.cdsVibrix.next();
    ASSERT_EQ(dm.AddMeasureFile(writeSsm("c.ssm", measureSpec(1, 3)), 3.0), 0);
    EXPECT_EQ(shown, (std::vector<int>{1, 2}));
}

// The record is found again by its key where an earlier one pushed it; gone, its number is kept.
TEST_F(DataModule, TheSavedRecordIsFoundAgainAfterAddingAndItsNumberKeptWhenItIsGone) {
    for (int p = 1; p <= 3; ++p)
        ASSERT_EQ(dm.AddMeasureFile(writeSsm(QString("%1.ssm").arg(p), measureSpec(1, p)), p * 10.0), 0);
    dm.cdsVibrix.first();
    dm.cdsVibrix.next();
    dm.SaveRecNo();
    dm.DisableViews();
    ASSERT_EQ(dm.AddMeasureFile(writeSsm("0.ssm", measureSpec(1, 9)), 1.0), 0);
    dm.RestoreRecNo();
    dm.EnableViews();
    EXPECT_EQ(dm.cdsVibrix.recNo(), 3);
    EXPECT_EQ(vxds::asInt(dm.cdsVibrix.value(QStringLiteral("PileNumber"))), 2);
    dm.SaveRecNo();
    dm.cdsVibrix.deleteRecord();
    dm.cdsVibrix.first();
    dm.RestoreRecNo();
    EXPECT_EQ(dm.cdsVibrix.recNo(), 3);
}
