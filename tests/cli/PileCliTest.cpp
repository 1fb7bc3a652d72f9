// vibrix-cli's pile commands end to end on generated piles: what each prints, what pile-set keeps,
// and failures that change nothing.
#include "CliFixture.h"

#include "PileBlows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>

namespace {

// Runs of blanks as one, as a PDF keeps only where words are.
QString Words(const QString& text) {
    return text.simplified();
}

ToolResult vibrix(const QStringList& args) {
    return runTool(VIBRIX_CLI, QStringList{"--locale", "C"} + args);
}

QJsonValue json(const ToolResult& r) {
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8());
    return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

class PileCli : public CliFixture {
protected:
    // Three piles of site 1, 10, 12 and 14 m long, four blows each; pile 2's second blow a double hit.
    void SetUp() override {
        QDir(dir.path()).mkpath("in");
        for (int pile = 1; pile <= 3; ++pile) {
            ssmgen::PileSpec s;
            s.file.siteNumber = 1;
            s.file.pileNumber = std::uint16_t(pile);
            s.file.pile.length = lengths[pile - 1];
            s.file.pile.seed = std::uint32_t(pile);
            s.file.fileTime =
                std::chrono::sys_days{std::chrono::year{2026} / 6 / 1} + std::chrono::minutes{pile};
            s.stem = "pile" + std::to_string(pile);
            s.doubleHit = pile == 2 ? 2 : 0;
            std::string error;
            ASSERT_TRUE(ssmgen::writePile(path("in").toStdString(), s, error)) << error;
        }
        project = path("site.cdsm");
        ASSERT_EQ(vibrix({"import", project, path("in")}).exitCode, 0);
    }

    QJsonObject pile(int n) {
        return json(vibrix({"pile", project, "1", QString::number(n), "--json"})).toObject();
    }

    const double lengths[3] = {10, 12, 14};
    QString project;
};

TEST_F(PileCli, PilesListsEachPileWithItsBlowsAndSpeed) {
    const QJsonArray piles = json(vibrix({"piles", project, "--json"})).toArray();
    ASSERT_EQ(piles.size(), 3);
    EXPECT_EQ(piles[1].toObject()["used"].toInt(), 3) << "the double hit is left out";
    EXPECT_EQ(piles[1].toObject()["waveSpeedSource"].toString(), "record");
    const ToolResult text = vibrix({"piles", project});
    EXPECT_TRUE(text.out.startsWith("1; 1; 4/4; 4000.0 м/с (из записи); —; —\n")) << text.out.toStdString();
}

TEST_F(PileCli, PileSetKeepsTheVerdictAndPileShowsIt) {
    const ToolResult set =
        vibrix({"pile-set", project, "1", "2", "--length", "12", "--class", "II", "--defect", "2.5:сужение",
                "--defect", "3:crack", "--remark", "проверить", "--lowpass", "1500"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    const QJsonObject p = pile(2);
    EXPECT_EQ(p["waveSpeedSource"].toString(), "length");
    EXPECT_NEAR(p["waveSpeed"].toDouble(), 4000, 80);
    EXPECT_TRUE(p["toeAuto"].toBool());
    EXPECT_NEAR(p["toeDepth"].toDouble(), 12, 0.25);
    EXPECT_EQ(p["class"].toString(), "II");
    EXPECT_EQ(p["lowpass"].toDouble(), 1500);
    EXPECT_EQ(p["defects"].toArray()[1].toObject()["kind"].toString(), QStringLiteral("трещина"));
    EXPECT_FALSE(p["changed"].isNull());
    const QJsonArray blows = p["blows"].toArray();
    EXPECT_EQ(blows[1].toObject()["reason"].toString(), "correlation");

    // A row of the pile (as list numbers it) is left out, then taken back.
    const QString row = QString::number(blows[2].toObject()["row"].toInt());
    ASSERT_EQ(vibrix({"pile-set", project, "1", "2", "--exclude", row}).exitCode, 0);
    EXPECT_EQ(pile(2)["blows"].toArray()[2].toObject()["reason"].toString(), "excluded");
    ASSERT_EQ(vibrix({"pile-set", project, "1", "2", "--include", row, "--defects", "-", "--speed", "3900"})
                  .exitCode,
              0);
    const QJsonObject back = pile(2);
    EXPECT_EQ(back["used"].toInt(), 3);
    EXPECT_TRUE(back["defects"].toArray().isEmpty());
    EXPECT_EQ(back["waveSpeedSource"].toString(), "pile");
}

TEST_F(PileCli, PileWritesTheAverageAndTheMobility) {
    ASSERT_EQ(vibrix({"pile", project, "1", "1", "--average", path("avg.csv"), "--mobility", path("h.csv")})
                  .exitCode,
              0);
    const QList<QByteArray> average = fileBytes(path("avg.csv")).split('\r');
    EXPECT_EQ(average.size(), 16384 + 1) << "a line per sample, each ended by CR";
    EXPECT_EQ(average[0].split(';').size(), 5);
    const QList<QByteArray> mobility = fileBytes(path("h.csv")).split('\r');
    EXPECT_EQ(mobility.size(), int(8000 / (50000.0 / 16384)) + 1 + 1);
}

TEST_F(PileCli, SiteSpeedComesFromThePilesOfKnownLength) {
    for (int n = 1; n <= 3; ++n)
        ASSERT_EQ(vibrix({"pile-set", project, "1", QString::number(n), "--length",
                          QString::number(lengths[n - 1])})
                      .exitCode,
                  0);
    ASSERT_EQ(
        vibrix({"pile-set", project, "1", "3", "--class", "I", "--remark", "скол; \"оголовок\""}).exitCode,
        0);
    const QJsonObject site =
        json(vibrix({"site", project, "--json", "--csv", path("site.csv")})).toArray()[0].toObject();
    EXPECT_NEAR(site["waveSpeed"].toDouble(), 4000, 80);
    EXPECT_EQ(site["used"].toArray().size(), 3);
    EXPECT_EQ(site["classes"].toObject()["I"].toInt(), 1);
    const QList<QByteArray> lines = fileBytes(path("site.csv")).split('\n');
    ASSERT_EQ(lines.size(), 1 + 3 + 1) << "a header and a line per pile, each ended by CR LF";
    EXPECT_TRUE(lines[0].startsWith("\xEF\xBB\xBF"
                                    "Участок; Свая"))
        << "UTF-8 behind its byte order mark";
    EXPECT_TRUE(lines[3].endsWith("; \"скол; \"\"оголовок\"\"\"\r")) << "a remark quoted for a spreadsheet";
    // A pile of a speed of its own is outside the site's speed, and named as such.
    ASSERT_EQ(vibrix({"pile-set", project, "1", "3", "--speed", "4100"}).exitCode, 0);
    EXPECT_EQ(json(vibrix({"site", project, "--json"})).toArray()[0].toObject()["own"].toArray(),
              QJsonArray{3});
    EXPECT_TRUE(vibrix({"site", project}).out.contains("; своя скорость 3;"));
}

// A pile set to the site's speed reads it over its length's and stays in the site's speed by its
// length; the double hit taken in is used.
TEST_F(PileCli, PileSetChoosesTheSiteSpeedAndTakesInABlowUnlikeTheRest) {
    for (int n = 1; n <= 3; ++n)
        ASSERT_EQ(vibrix({"pile-set", project, "1", QString::number(n), "--length",
                          QString::number(lengths[n - 1])})
                      .exitCode,
                  0);
    const QString row = QString::number(pile(2)["blows"].toArray()[1].toObject()["row"].toInt());
    const ToolResult set = vibrix({"pile-set", project, "1", "2", "--speed", "site", "--include", row});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    const QJsonObject p = pile(2);
    const QJsonObject site = json(vibrix({"site", project, "--json"})).toArray()[0].toObject();
    EXPECT_EQ(p["waveSpeedSource"].toString(), "site");
    EXPECT_EQ(p["speedChoice"].toString(), "site");
    EXPECT_EQ(p["waveSpeed"].toDouble(), site["waveSpeed"].toDouble());
    EXPECT_EQ(site["used"].toArray().size(), 3);
    EXPECT_TRUE(site["own"].toArray().isEmpty());
    EXPECT_EQ(p["used"].toInt(), 4);
    EXPECT_TRUE(p["blows"].toArray()[1].toObject()["used"].toBool());
}

TEST_F(PileCli, ReportInfoSetsPrintsAndClearsTheHeaderBesideTheScheme) {
    const QByteArray before = fileBytes(project);
    EXPECT_TRUE(vibrix({"report-info", project}).out.startsWith("организация: \nобъект: \n"));
    EXPECT_EQ(fileBytes(project), before) << "printing the header writes nothing";
    ASSERT_EQ(
        vibrix({"report-info", project, "--object", "ул. Ленина, 1", "--signer", "Иванов И. И."}).exitCode,
        0);
    ASSERT_EQ(vibrix({"pile-set", project, "1", "1", "--scheme", "A-D"}).exitCode, 0);
    ASSERT_EQ(vibrix({"report-info", project, "--signer", "-"}).exitCode, 0);
    const QString out = vibrix({"report-info", project}).out;
    EXPECT_TRUE(out.contains("\nобъект: ул. Ленина, 1\n")) << "the scheme's change keeps the header";
    EXPECT_TRUE(out.endsWith("\nподписывает: \n"));
}

TEST_F(PileCli, FailuresExitWithTheirStatusAndChangeNothing) {
    const QByteArray before = fileBytes(project);
    EXPECT_EQ(vibrix({"pile", project, "1", "x"}).exitCode, 1);
    EXPECT_EQ(vibrix({"pile-set", project, "1", "1", "--length", "-3"}).exitCode, 1);
    EXPECT_EQ(vibrix({"pile-set", project, "1", "1", "--class", "V"}).exitCode, 1);
    EXPECT_EQ(vibrix({"pile-set", project, "1", "1", "--defect", "2:hole"}).exitCode, 1);
    EXPECT_EQ(vibrix({"pile-set", project, "1", "1", "--exclude", "99"}).exitCode, 1);
    EXPECT_EQ(vibrix({"pile-set", project, "1", "1", "--bogus", "1"}).exitCode, 1);
    EXPECT_EQ(vibrix({"pile-set", project, "1", "9", "--class", "I"}).exitCode, 2);
    EXPECT_EQ(vibrix({"pile", path("none.cdsm"), "1", "1"}).exitCode, 2);
    EXPECT_EQ(vibrix({"site", project, "--site", "5"}).exitCode, 2);
    EXPECT_EQ(vibrix({"pile", project, "1", "1", "--average", path("in")}).exitCode, 2);
    EXPECT_EQ(fileBytes(project), before);
}

// The pages of a PDF as pdftotext reads them, in the Russian locale's numbers.
QStringList pdfPages(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {"-layout", file, "-"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
}

TEST_F(PileCli, PileSetRefusesWhatCannotBeAPileWritesNothingAndTakesTheBounds) {
    const QByteArray before = fileBytes(project);
    const QList<QStringList> refused{{"--speed", "999"},     {"--speed", "99999999"}, {"--length", "-3"},
                                     {"--length", "999999"}, {"--diameter", "0.09"},  {"--diameter", "5.1"},
                                     {"--lowpass", "99"},    {"--lowpass", "22501"},  {"--amplify", "0.9"},
                                     {"--amplify", "99999"}, {"--toe", "1"}};
    for (const QStringList& option : refused) {
        const ToolResult r = vibrix(QStringList{"pile-set", project, "1", "1"} + option);
        EXPECT_EQ(r.exitCode, 1) << option.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(option[0] + ": ")) << r.err.toStdString();
    }
    EXPECT_TRUE(vibrix({"pile-set", project, "1", "1", "--speed", "999"})
                    .err.contains(QStringLiteral("Скорость волны должна быть от 1000 до 6000 м/с")));
    EXPECT_EQ(fileBytes(project), before);
    EXPECT_EQ(vibrix({"pile-set", project, "1", "1", "--speed", "6000", "--length", "0.5", "--diameter", "5",
                      "--lowpass", "22500", "--amplify", "1000"})
                  .exitCode,
              0);
}

// A break echoes again and again below itself: the automatic toe lands on a repeat. The engineer
// removes it, and a break mark keeps the analysis from picking one below it.
TEST_F(PileCli, TheToeOfABrokenPileIsRemovedAndTheReportsSayThereIsNone) {
    ssmgen::PileSpec s;
    s.file.siteNumber = 1;
    s.file.pileNumber = 4;
    s.file.pile.length = 12;
    s.file.pile.profile = {{pilemodel::SectionKind::Break, 3.5, 0.2, 0.0005}};
    s.file.fileTime = std::chrono::sys_days{std::chrono::year{2026} / 6 / 2};
    s.stem = "broken";
    QDir(dir.path()).mkpath("broken");
    std::string error;
    ASSERT_TRUE(ssmgen::writePile(path("broken").toStdString(), s, error)) << error;
    ASSERT_EQ(vibrix({"import", project, path("broken")}).exitCode, 0);
    ASSERT_EQ(vibrix({"pile-set", project, "1", "4", "--length", "12"}).exitCode, 0);
    ASSERT_TRUE(pile(4)["toeAuto"].toBool());

    ASSERT_EQ(vibrix({"pile-set", project, "1", "4", "--toe", "-"}).exitCode, 0);
    EXPECT_TRUE(pile(4)["toeTime"].isNull());
    const QString text = vibrix({"pile", project, "1", "4"}).out;
    EXPECT_TRUE(text.contains(QStringLiteral("\nДлина: 12.00 м; диаметр: —\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nПодошва не отмечена\n")));
#ifndef _WIN32 // pages read with pdftotext, run as a process on Linux only
    ASSERT_EQ(vibrix({"site-report", project, path("site.pdf")}).exitCode, 0);
    const QString page = pdfPages(path("site.pdf")).last();
    EXPECT_TRUE(page.contains(QStringLiteral("Подошва не отмечена"))) << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("Подошва:")));
#endif

    ASSERT_EQ(vibrix({"pile-set", project, "1", "4", "--toe-time", "-", "--defect", "1.75:break"}).exitCode,
              0);
    const QJsonObject marked = pile(4);
    EXPECT_TRUE(marked["toeTime"].isNull()) << "no automatic toe below the break";
    EXPECT_EQ(marked["defects"].toArray()[0].toObject()["kind"].toString(), QStringLiteral("обрыв"));
}

TEST_F(PileCli, SiteReportFailuresExitWithTheirStatusAndLeaveTheFileAlone) {
    const QString out = path("site.pdf");
    EXPECT_EQ(vibrix({"site-report", project}).exitCode, 1);
    EXPECT_EQ(vibrix({"site-report", project, out, "--site", "x"}).exitCode, 1);
    EXPECT_EQ(vibrix({"site-report", path("none.cdsm"), out}).exitCode, 2);
    EXPECT_EQ(vibrix({"site-report", project, path("no/such/folder.pdf")}).exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(out));
    {
        QFile old(out);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    EXPECT_EQ(vibrix({"site-report", project, out, "--site", "5"}).exitCode, 2);
    EXPECT_EQ(fileBytes(out), "old");
    EXPECT_EQ(QDir(dir.path()).entryList({"*.pdf*"}, QDir::Files), QStringList{"site.pdf"});
    ASSERT_EQ(vibrix({"site-report", project, out, "--site", "1"}).exitCode, 0);
    EXPECT_TRUE(fileBytes(out).startsWith("%PDF"));
#ifndef _WIN32 // pages read with pdftotext, run as a process on Linux only
    EXPECT_EQ(pdfPages(out).size(), 1 + 3);
#endif
    // Chosen piles of a site: their rows and pages only; a choice needs its site.
    EXPECT_EQ(vibrix({"site-report", project, out, "--piles", "1"}).exitCode, 1);
    EXPECT_EQ(vibrix({"site-report", project, out, "--site", "1", "--piles", "1-x"}).exitCode, 1);
    EXPECT_EQ(vibrix({"site-report", project, out, "--site", "1", "--piles", "3,9"}).exitCode, 2);
    ASSERT_EQ(vibrix({"site-report", project, out, "--site", "1", "--piles", "3,1-1"}).exitCode, 0);
#ifndef _WIN32
    const QStringList pages = pdfPages(out);
    ASSERT_EQ(pages.size(), 1 + 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Отчёт по участку 1, сваи 1, 3"))) << "in pile order";
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Свая 3")));
#endif
}

// The project of the batch demo: the generator's demo folder imported, the design lengths typed
// in from its truth.json.
TEST(PileCliDemo, SiteReportHasTheSummaryThenEachPileWithItsClassAndToe) {
    QTemporaryDir dir;
    const QString ssm = dir.filePath("ssm"), project = dir.filePath("demo.cdsm");
    std::string error;
    ASSERT_FALSE(ssmgen::writeDemoFolder(ssm.toStdString(), error).empty()) << error;
    ASSERT_EQ(vibrix({"import", project, ssm}).exitCode, 0);
    const QJsonDocument truth = QJsonDocument::fromJson(fileBytes(ssm + "/truth.json"));
    const QJsonArray truthPiles = truth.object()["piles"].toArray();
    ASSERT_FALSE(truthPiles.isEmpty());
    for (const QJsonValue& v : truthPiles) {
        const QJsonObject t = v.toObject();
        ASSERT_EQ(
            vibrix({"pile-set", project, QString::number(t["site"].toInt()),
                    QString::number(t["pile"].toInt()), "--length", QString::number(t["length"].toDouble())})
                .exitCode,
            0);
    }
    ASSERT_EQ(vibrix({"pile-set", project, "1", "3", "--class", "III", "--defect", "2.3:сужение"}).exitCode,
              0);
    ASSERT_EQ(vibrix({"pile-set", project, "2", "17", "--class", "IV"}).exitCode, 0);
    const QJsonArray piles = json(vibrix({"piles", project, "--json"})).toArray();
    ASSERT_EQ(piles.size(), truthPiles.size());

    const QString out = dir.filePath("site.pdf");
    ASSERT_EQ(runTool(VIBRIX_CLI, {"--locale", "ru_RU", "site-report", project, out}).exitCode, 0);
    const QStringList pages = pdfPages(out);
    const qsizetype summary = pages.size() - piles.size();
    ASSERT_GE(summary, 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Отчёт по участкам 1, 2, 3")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("III — дефект, требуется оценка: 1")));
    QLocale ru(QLocale::Russian, QLocale::Russia);
    ru.setNumberOptions(QLocale::OmitGroupSeparator);
    for (qsizetype i = 0; i < piles.size(); ++i) {
        const QJsonObject p = piles[i].toObject();
        const QString page = Words(pages[summary + i]);
        const QString cls = p["class"].toString();
        EXPECT_TRUE(page.contains(
            QStringLiteral("Участок %1 Свая %2 ").arg(p["site"].toInt()).arg(p["pile"].toInt())))
            << page.left(200).toStdString();
        EXPECT_TRUE(
            page.contains(QStringLiteral("Подошва: %1 м").arg(ru.toString(p["toeDepth"].toDouble(), 'f', 2))))
            << p["pile"].toInt();
        EXPECT_TRUE(
            page.contains(QStringLiteral("Класс: ") + (cls.isEmpty() ? QStringLiteral("не назначен") : cls)))
            << p["pile"].toInt();
    }
}

} // namespace
