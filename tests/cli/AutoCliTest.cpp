// vibrix-cli auto end to end: the first pass of every pile as JSON in pile order, and --apply
// taking proposals into the piles nobody has judged while a judged pile stays as it was.
#include "CliFixture.h"

#include "PileBlows.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>

namespace {

ToolResult vibrix(const QStringList& args) {
    return runTool(VIBRIX_CLI, QStringList{"--locale", "C"} + args);
}

class AutoCli : public CliFixture {
protected:
    // Three 12 m piles of site 1, each with a narrowing to 0.5 from 5 m down.
    void SetUp() override {
        QDir(dir.path()).mkpath("in");
        for (int pile = 1; pile <= 3; ++pile) {
            ssmgen::PileSpec s;
            s.file.siteNumber = 1;
            s.file.pileNumber = std::uint16_t(pile);
            s.file.pile.length = 12;
            s.file.pile.toeReflection = pilemodel::kFreeToe;
            s.file.pile.profile = {{pilemodel::SectionKind::Narrowing, 5.0, 1.5, 0.5}};
            s.file.pile.seed = std::uint32_t(pile);
            s.file.fileTime =
                std::chrono::sys_days{std::chrono::year{2026} / 6 / 1} + std::chrono::minutes{pile};
            s.stem = "pile" + std::to_string(pile);
            std::string error;
            ASSERT_TRUE(ssmgen::writePile(path("in").toStdString(), s, error)) << error;
        }
        project = path("site.cdsm");
        ASSERT_EQ(vibrix({"import", project, path("in")}).exitCode, 0);
    }

    QJsonObject pile(int n) {
        return QJsonDocument::fromJson(
                   vibrix({"pile", project, "1", QString::number(n), "--json"}).out.toUtf8())
            .object();
    }

    QString project;
};

TEST_F(AutoCli, ApplyProposesForPilesNotJudgedAndLeavesAJudgedPileAlone) {
    for (const char* n : {"1", "2", "3"})
        ASSERT_EQ(vibrix({"pile-set", project, "1", n, "--length", "12"}).exitCode, 0);
    ASSERT_EQ(vibrix({"pile-set", project, "1", "3", "--class", "I", "--remark", "осмотрена"}).exitCode, 0);
    const QByteArray judged = pile(3)["changed"].toString().toUtf8();

    const ToolResult run = vibrix({"auto", project, "--json", "--apply"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray all = QJsonDocument::fromJson(run.out.toUtf8()).array();
    ASSERT_EQ(all.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(all[i].toObject()["pile"].toInt(), i + 1) << "pile order";
    const QJsonObject proposal = all[1].toObject()["auto"].toObject();
    EXPECT_NEAR(proposal["length"].toDouble(), 12, 0.36);
    EXPECT_EQ(proposal["class"].toString(), "III");
    const QJsonObject narrowing = proposal["findings"].toArray()[0].toObject();
    EXPECT_EQ(narrowing["kind"].toString(), "narrowing");
    EXPECT_NEAR(narrowing["depth"].toDouble(), 5.0, 0.3);

    // Pile 2 had a design length only: it takes the proposal, its narrowing as a mark.
    const QJsonObject taken = pile(2);
    EXPECT_EQ(taken["class"].toString(), "III");
    ASSERT_EQ(taken["defects"].toArray().size(), 1);
    EXPECT_EQ(taken["defects"].toArray()[0].toObject()["kind"].toString(), QStringLiteral("сужение"));
    // Pile 3 was judged: its class, marks and time of change stay.
    const QJsonObject kept = pile(3);
    EXPECT_EQ(kept["class"].toString(), "I");
    EXPECT_TRUE(kept["defects"].toArray().isEmpty());
    EXPECT_EQ(kept["changed"].toString().toUtf8(), judged);
}

TEST_F(AutoCli, PileProfileIsWrittenWithTheEquivalentDiameterInTheSignalExportsFormat) {
    ASSERT_EQ(vibrix({"pile-set", project, "1", "2", "--length", "12", "--diameter", "0.6"}).exitCode, 0);
    const QString file = path("profile.csv");
    const ToolResult run =
        runTool(VIBRIX_CLI, {"--locale", "ru_RU", "pile", project, "1", "2", "--profile", file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLocal8Bit(f.readAll()).split(QChar(13), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3) << "head, narrowing, below it";
    // The narrowing to 0.5 reads as 0.6 * sqrt(0.5) = 0.42 m of concrete.
    const auto narrowed = std::find_if(lines.begin(), lines.end(), [](const QString& line) {
        const QStringList fields = line.split(';');
        return fields.size() == 3 && QLocale(QLocale::Russian).toDouble(fields[1].trimmed()) < 0.7;
    });
    ASSERT_NE(narrowed, lines.end()) << lines.join('|').toStdString();
    const QStringList fields = narrowed->split(';');
    EXPECT_NEAR(QLocale(QLocale::Russian).toDouble(fields[0].trimmed()), 5.0, 0.3);
    EXPECT_NEAR(QLocale(QLocale::Russian).toDouble(fields[2].trimmed()), 0.42, 0.05);
}

TEST_F(AutoCli, ASiteThatIsNotThereIsAnInputError) {
    const ToolResult run = vibrix({"auto", project, "--site", "7"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("нет участка 7"))) << run.err.toStdString();
}

} // namespace
