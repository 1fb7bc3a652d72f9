// Verdicts kept in the project: saved and opened again, counted as changes, undone by "Отменить
// изменения", and a project without them written as it always was.
#include "../data/DataFixture.h"

#include "ProjectFile.h"
#include "TPileAnalyser.h"
#include "TProjectPiles.h"

#include <QtEndian>

namespace {

class VerdictStore : public DataFixture {
protected:
    TPileVerdict fullVerdict() {
        TPileVerdict v;
        v.length = 12.5;
        v.diameter = 0.62;
        v.speed = 3950;
        v.toeTime = 6.25;
        v.defects = {{2.5, QStringLiteral("сужение")}, {4.0, QStringLiteral("трещина")}};
        v.cls = "III";
        v.remark = QStringLiteral("сужение на 5 м, «проверить»");
        v.excluded = {45000.123456789};
        v.processing.lowpass = 1500;
        v.processing.amplify = 8;
        return v;
    }

    qint64 packetEnd(const QByteArray& file, int packets) {
        qint64 at = 0;
        for (int i = 0; i < packets; ++i)
            at += 4 + qFromLittleEndian<qint32>(file.constData() + at);
        return at;
    }
};

TEST_F(VerdictStore, RoundTripThroughSaveAndOpen) {
    const QString file = projectWith("p.cdsm", {{45000.1, 1, 7}, {45000.2, 1, 7}});
    ASSERT_TRUE(dm.OpenProject(file));
    TVerdictTable table(dm.cdsVerdict);
    table.Store(1, 7, fullVerdict());
    table.SetScheme(classscheme::kLetters);
    EXPECT_TRUE(dm.IsProjectModified());
    ASSERT_TRUE(dm.SaveProject());
    ASSERT_TRUE(dm.CloseProject());

    ASSERT_TRUE(dm.OpenProject(file));
    EXPECT_EQ(TVerdictTable(dm.cdsVerdict).Find(1, 7), fullVerdict());
    EXPECT_EQ(TVerdictTable(dm.cdsVerdict).Scheme(), classscheme::kLetters);
    EXPECT_TRUE(TVerdictTable(dm.cdsVerdict).Changed(1, 7).has_value());
    EXPECT_FALSE(dm.IsProjectModified());
    const QByteArray bytes = fileBytes(file);
    EXPECT_EQ(packetEnd(bytes, 3), bytes.size()) << "the verdicts are a third packet that ends the file";
}

// A removed toe is kept only where it was removed: every other verdict keeps the text it had.
TEST_F(VerdictStore, ARemovedToeIsWrittenOnlyWhereItWasRemoved) {
    EXPECT_EQ(
        TPileVerdict{}.ToJson(),
        R"({"class":"","defects":[],"diameter":null,"excluded":[],"length":null,"processing":{"amplify":5,)"
        R"("bandHigh":2000,"bandLow":100,"lowpass":2000,"lowpassOrder":4,"threshold":0.9},"remark":"",)"
        R"("speed":null,"toeTime":null,"version":1})");
    TPileVerdict v = fullVerdict();
    v.toeTime.reset();
    v.toeRemoved = true;
    EXPECT_EQ(TPileVerdict::FromJson(v.ToJson()), v);
}

// The speed's source and the blows taken in are written only when set: other verdicts keep their text.
TEST_F(VerdictStore, TheSpeedChoiceAndTheBlowsTakenInAreWrittenOnlyWhenSet) {
    const QString without = fullVerdict().ToJson();
    EXPECT_FALSE(without.contains("speedChoice"));
    EXPECT_FALSE(without.contains("included"));
    TPileVerdict v = fullVerdict();
    v.speed.reset();
    v.speedChoice = TSpeedChoice::Site;
    v.included = {45000.25, 45000.5};
    EXPECT_TRUE(v.ToJson().contains(R"("speedChoice":"site")"));
    EXPECT_EQ(TPileVerdict::FromJson(v.ToJson()), v);
}

TEST_F(VerdictStore, WithoutVerdictsTheFileHasTwoPacketsAndStoringTheSameChangesNothing) {
    const QString file = projectWith("p.cdsm", {{45000.1, 1, 7}});
    const QByteArray before = fileBytes(file);
    EXPECT_EQ(packetEnd(before, 2), before.size());
    ASSERT_TRUE(dm.OpenProject(file));
    TVerdictTable table(dm.cdsVerdict);
    table.SetScheme(classscheme::kRoman); // the default: nothing to write
    EXPECT_FALSE(dm.IsProjectModified());
    ASSERT_TRUE(dm.CloseProject());
    EXPECT_EQ(fileBytes(file), before);
}

TEST_F(VerdictStore, CancelledChangesBringTheSavedVerdictBack) {
    const QString file = projectWith("p.cdsm", {{45000.1, 2, 3}});
    ASSERT_TRUE(dm.OpenProject(file));
    TVerdictTable(dm.cdsVerdict).Store(2, 3, fullVerdict());
    ASSERT_TRUE(dm.SaveProject());
    TPileVerdict changed = fullVerdict();
    changed.cls = "I";
    TVerdictTable(dm.cdsVerdict).Store(2, 3, changed);
    EXPECT_TRUE(dm.IsProjectModified());
    dm.DiscardProject();
    ASSERT_TRUE(dm.OpenProject(file));
    EXPECT_EQ(TVerdictTable(dm.cdsVerdict).Find(2, 3)->cls, "III");
}

TEST_F(VerdictStore, DamagedThirdPacketRefusesTheProjectAndLeavesTheFile) {
    const QString file = projectWith("p.cdsm", {{45000.1, 1, 7}});
    ASSERT_TRUE(dm.OpenProject(file));
    TVerdictTable(dm.cdsVerdict).Store(1, 7, fullVerdict());
    ASSERT_TRUE(dm.CloseProject());
    QByteArray bytes = fileBytes(file);
    const qint64 third = packetEnd(bytes, 2);
    for (const QByteArray& damaged : {bytes.left(bytes.size() - 1), bytes + 'x',
                                      QByteArray(bytes).replace(third + 40, 4, "\xff\xff\xff\xff")}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(damaged);
        f.close();
        EXPECT_FALSE(dm.OpenProject(file));
        EXPECT_EQ(dm.LastError, QStringLiteral("файл повреждён или записан другой программой"));
        EXPECT_FALSE(dm.IsProjectOpen());
        EXPECT_EQ(fileBytes(file), damaged);
    }
}

TEST_F(VerdictStore, PilesFollowTheTablesAndKeepAJudgedPileWithoutRecords) {
    const QString file = projectWith("p.cdsm", {{45000.3, 1, 7}, {45000.1, 1, 7}, {45000.2, 2, 1}});
    ASSERT_TRUE(dm.OpenProject(file));
    TProjectPiles piles(dm.cdsVibrix, dm.cdsVerdict);
    ASSERT_EQ(piles.Piles().size(), 2u);
    EXPECT_EQ(piles.Find({1, 7})->rows, (std::vector<int>{0, 2})) << "blows in the order struck";
    TVerdictTable(dm.cdsVerdict).Store(2, 1, fullVerdict());
    dm.cdsVibrix.first();
    dm.cdsVibrix.next(); // the record of pile 2-1
    dm.cdsVibrix.deleteRecord();
    ASSERT_NE(piles.Find({2, 1}), nullptr);
    EXPECT_TRUE(piles.Find({2, 1})->rows.empty());
    EXPECT_EQ(piles.Find({1, 7})->rows, (std::vector<int>{0, 1}));
    dm.DeleteAllRecords();
    dm.DiscardProject();
    EXPECT_TRUE(piles.Piles().empty());
}

} // namespace

namespace {

// What the first pass proposed and the engineer took is marked so in the verdict's text, and only
// there: a verdict without it is written as before.
TEST(VerdictText, MarksFromTheFirstPassAreKeptAndOthersWrittenAsBefore) {
    TPileVerdict v;
    v.defects = {{2.5, QStringLiteral("сужение")}};
    const QString plain = v.ToJson();
    EXPECT_FALSE(plain.contains("firstPass")) << plain.toStdString();
    EXPECT_FALSE(plain.contains("classFirstPass"));
    v.defects.push_back({4.0, QStringLiteral("обрыв"), true});
    v.cls = "IV";
    v.classFirstPass = true;
    const auto back = TPileVerdict::FromJson(v.ToJson());
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, v);
    EXPECT_TRUE(back->Judged());
    EXPECT_EQ(TPileVerdict::FromJson(plain)->ToJson(), plain);
}

} // namespace
