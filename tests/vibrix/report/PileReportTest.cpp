// The pile report and the site report on generated piles: what a pile's page prints, the pile
// table continued over pages, and a cancelled report that leaves the file alone.
#include "../data/DataFixture.h"
#include "ReportTexts.h"

#include "../../support/ModelPile.h"
#include "PileReport.h"
#include "SiteReport.h"
#include "TPileAnalyser.h"

#include <QBuffer>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace {

// A number as the Russian reports print it.
QString comma(int decimals, double v) {
    QLocale ru(QLocale::Russian, QLocale::Russia);
    ru.setNumberOptions(QLocale::OmitGroupSeparator);
    return ru.toString(v, 'f', decimals);
}

class PileReports : public DataFixture {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        ASSERT_TRUE(dm.CreateProject(path("p.cdsm")));
        ASSERT_TRUE(dm.OpenProject(path("p.cdsm")));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // Pile `pile` of site 1, `length` m long, four blows, given its design length.
    void addPile(int pile, double length) {
        ssmgen::PileSpec s;
        s.file.siteNumber = 1;
        s.file.pileNumber = std::uint16_t(pile);
        s.file.pile.length = length;
        s.file.pile.seed = std::uint32_t(pile);
        s.file.fileTime = std::chrono::sys_days{std::chrono::year{2026} / 6 / 1} + std::chrono::minutes{pile};
        s.stem = "p" + std::to_string(pile);
        s.blows = 4;
        ASSERT_TRUE(ImportModelPile(dm, path(QString::fromStdString(s.stem)), s));
        change(pile, [&](TPileVerdict& v) { v.length = length; });
    }
    void change(int pile, const std::function<void(TPileVerdict&)>& edit) {
        TPileVerdict v = analyser.VerdictOf({1, pile});
        edit(v);
        analyser.SetVerdict({1, pile}, v);
    }

    TPileAnalyser analyser{dm};
};

TEST_F(PileReports, PilePagePrintsThePileItsProcessingMarksAndVerdict) {
    addPile(3, 12);
    change(3, [](TPileVerdict& v) {
        v.diameter = 0.6;
        v.defects = {{2.5, QStringLiteral("сужение")}};
        v.cls = QStringLiteral("II");
        v.remark = QStringLiteral("оголовок сколот");
    });
    TPileReportCharts charts;
    const TReportPage page = PileReportPage(analyser, {1, 3}, charts);
    const std::shared_ptr<const TPileAnalysis> analysis = analyser.Analyse({1, 3});
    const TPileAnalysis& r = *analysis;
    ASSERT_TRUE(r.toeDepth && r.mobility);
    EXPECT_EQ(page.Find("PileInfoMemo").Text,
              QStringLiteral("Участок 1      Свая 3      Дата испытания: 01.06.2026"));
    EXPECT_EQ(page.Find("DesignMemo").Text, QStringLiteral("Длина по проекту: 12,00 м      Диаметр: 0,60 м"));
    EXPECT_EQ(page.Find("ProcessingMemo").Text,
              QStringLiteral("Удары: использовано 4 из 4      Фильтр: 2000 Гц      Усиление: 5,0      "
                             "Скорость волны: %1 м/с (по длине)")
                  .arg(comma(1, r.waveSpeed)));
    EXPECT_TRUE(
        page.Find("ToeMemo").Text.startsWith(QStringLiteral("Подошва: %1 м (").arg(comma(2, *r.toeDepth))));
    EXPECT_TRUE(page.Find("DefectsMemo")
                    .Text.startsWith(
                        QStringLiteral("Дефекты: %1 м сужение\rПервый проход: ").arg(comma(2, r.Depth(2.5)))))
        << page.Find("DefectsMemo").Text.toStdString();
    EXPECT_TRUE(
        page.Find("ClassMemo")
            .Text.startsWith(QStringLiteral("Класс: II — незначительные отклонения (назначен инженером)")))
        << page.Find("ClassMemo").Text.toStdString();
    EXPECT_EQ(page.Find("RemarkMemo").Text, QStringLiteral("Примечание: оголовок сколот"));
    // The charts are drawn as vectors with their axes and the marks' names.
    const QString text = PdfText(ReportPdf(page));
    for (const char* words : {"Глубина, м", "Время, мс", "Подошва", "сужение", "L = 12,00 м", "Частота, Гц",
                              "|H1|", "D экв., м", "невязка", "Заключение составил:"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << words;
}

TEST_F(PileReports, AClassTakenFromTheFirstPassSaysSoAndItsFindingsHaveTheirSizes) {
    addPile(2, 14);
    change(2, [](TPileVerdict& v) {
        v.cls = QStringLiteral("I");
        v.classFirstPass = true;
    });
    TPileReportCharts charts;
    const TReportPage page = PileReportPage(analyser, {1, 2}, charts);
    EXPECT_EQ(page.Find("ClassMemo").Text,
              QStringLiteral("Класс: I — свая без дефектов (принято из первого прохода)"));
    const QString defects = page.Find("DefectsMemo").Text;
    EXPECT_TRUE(defects.contains(QRegularExpression("Первый проход: .*невязка \\d+(,\\d)? %\\.$")))
        << defects.toStdString();
}

TEST_F(PileReports, TableRunsOnToTheNextPageThenAPagePerPile) {
    for (int pile = 1; pile <= 3; ++pile)
        addPile(pile, 10);
    // Two remarks so long that their rows cannot share the first page.
    const QString longRemark = QStringLiteral("трещина у оголовка, ").repeated(30);
    for (int pile : {1, 2})
        change(pile, [&](TPileVerdict& v) { v.remark = longRemark; });
    change(3, [](TPileVerdict& v) { v.cls = QStringLiteral("IV"); });
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    std::pair<int, int> last;
    ASSERT_EQ(WriteSiteReport(buffer, analyser, 1,
                              [&](int done, int total) {
                                  last = {done, total};
                                  return true;
                              }),
              TSiteReportResult::Written);
    EXPECT_EQ(last, std::make_pair(6, 6)) << "each pile read for the table, then for its page";
    const QStringList pages = PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2 + 3);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("IV — свая дефектная: 1")));
    // Whose the classes are: the engineer's IV, and the first pass's I for the two piles not judged.
    EXPECT_TRUE(pages[0].contains(QStringLiteral("инженер 1, первый проход 0, предложено 0")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("инженер 0, первый проход 0, предложено 2")))
        << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Предложено")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Примечание"))) << "the table's header again";
    for (int pile = 1; pile <= 3; ++pile)
        EXPECT_TRUE(pages[1 + pile].contains(QStringLiteral("Свая %1").arg(pile))) << pile;
    EXPECT_TRUE(pages[4].contains(QStringLiteral("Класс: IV — свая дефектная")));
}

TEST_F(PileReports, TheHeaderHeadsBothReportsAndNamesTheSigner) {
    addPile(1, 10);
    TReportHeader header;
    header.organisation = QStringLiteral("ООО «Геотест»");
    header.object = QStringLiteral("ул. Ленина, 1");
    header.customer = QStringLiteral("АО «Заказчик»");
    header.signer = QStringLiteral("Иванов И. И.");
    analyser.Verdicts().SetHeader(header);
    dm.cdsDesc.edit();
    dm.cdsDesc.setValue(descfield::kComment, QStringLiteral("Свайное поле под корпус 2"));
    dm.cdsDesc.post();
    TPileReportCharts charts;
    const TReportPage page = PileReportPage(analyser, {1, 1}, charts);
    EXPECT_EQ(page.Find("HeaderMemo").Text,
              QStringLiteral("Организация: ООО «Геотест»; Объект: ул. Ленина, 1; Заказчик: АО «Заказчик»"));
    EXPECT_EQ(page.Find("SignerMemo").Text, QStringLiteral("Иванов И. И."));
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_EQ(WriteSiteReport(buffer, analyser, 1, {}), TSiteReportResult::Written);
    const QStringList pages = PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2);
    for (const char* words : {"Заказчик: АО «Заказчик»", "Свайное поле под корпус 2"})
        EXPECT_TRUE(pages[0].contains(QString::fromUtf8(words))) << words;
    // Each pile's page: the organisation and the object only, and the signer at the signature.
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Объект: ул. Ленина, 1")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("Заказчик")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Иванов И. И.")));
}

TEST_F(PileReports, CancelledSiteReportLeavesTheFileAsItWas) {
    addPile(1, 10);
    addPile(2, 10);
    const QString file = path("site.pdf");
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QString error;
    int asked = 0;
    EXPECT_EQ(SaveSiteReport(
                  file, analyser, std::nullopt, [&](int, int) { return ++asked < 3; }, error),
              TSiteReportResult::Cancelled);
    EXPECT_EQ(fileBytes(file), "old");
    EXPECT_EQ(SaveSiteReport(file, analyser, 7, {}, error), TSiteReportResult::Failed);
    EXPECT_EQ(error, QStringLiteral("В проекте нет участка 7"));
    EXPECT_EQ(fileBytes(file), "old");
    EXPECT_EQ(QDir(dir.path()).entryList({"*.pdf*"}, QDir::Files), QStringList{"site.pdf"})
        << "no temporary left";
}

} // namespace
