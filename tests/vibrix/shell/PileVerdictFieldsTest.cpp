// The "Сваи" page's choices beside the class: the speed's source (one pile, or the piles selected in
// the site panel), the blows left out for their correlation taken back in, and the remark with the
// project's remarks to pick from — each an edit the steps back undo.
#include "PilePageFixture.h"

#include <QMenu>
#include <QToolButton>

namespace {

class PileVerdictFieldsTest : public PilePageFixture {
protected:
    // Piles 1..count of site 1, each with its design length: the site has a speed.
    TPilePage& pilesOfKnownLength(int count) {
        TPilePage& page = openPage(pileProject(count));
        for (int pile = 1; pile <= count; ++pile) {
            page.SelectPile({1, pile});
            enter(page.LengthEdit, FormatFloat("0.0", 12 + 0.2 * pile));
        }
        return page;
    }

    // One pile of five blows: the second struck twice, the fourth clipped.
    QString pileWithBadBlows() {
        const QString file = at("data/bad.cdsm");
        TMainDataModule dm;
        EXPECT_TRUE(dm.CreateProject(file));
        EXPECT_TRUE(dm.OpenProject(file));
        ssmgen::PileSpec s;
        s.file.siteNumber = 1;
        s.file.pileNumber = 1;
        s.file.velocity = 4000;
        s.file.pile.length = 12;
        s.file.pile.waveVelocity = 4000;
        s.file.pile.toeReflection = pilemodel::kFreeToe;
        s.file.pile.seed = 2;
        s.blows = 5;
        s.file.fileTime = std::chrono::sys_days{std::chrono::year{2026} / 6 / 1};
        s.stem = "bad";
        s.doubleHit = 2;
        s.clipped = 4;
        ImportModelPile(dm, at("data/bad"), s);
        EXPECT_TRUE(dm.CloseProject());
        return file;
    }

    static void chooseSource(TPilePage& page, const QString& source) {
        const int index = page.SpeedSourceCombo->findText(source);
        ASSERT_GE(index, 0) << source.toStdString();
        page.SpeedSourceCombo->setCurrentIndex(index);
        emit page.SpeedSourceCombo->activated(index);
    }

    // The texts of the menu of remarks as it opens.
    static QStringList phrases(TPilePage& page) {
        QMenu* menu = page.RemarkPhrasesButton->menu();
        emit menu->aboutToShow();
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text();
        return texts;
    }
};

TEST_F(PileVerdictFieldsTest, APileSetToTheSiteSpeedReadsItOverItsLengthUntilAuto) {
    TPilePage& page = pilesOfKnownLength(4);
    ASSERT_TRUE(page.SelectPile({1, 2}));
    ASSERT_EQ(page.SpeedSourceCombo->currentText(), QStringLiteral("по длине"));
    const TSiteSpeed site = page.Analyser().SiteSpeed(1);
    ASSERT_TRUE(site.speed);
    chooseSource(page, QStringLiteral("участка"));
    EXPECT_EQ(page.Shown()->waveSpeedSource, TSpeedSource::Site);
    EXPECT_EQ(page.Shown()->waveSpeed, *site.speed);
    EXPECT_EQ(page.SpeedSourceCombo->currentText(), QStringLiteral("участка"));
    EXPECT_EQ(cell(1, 5), QStringLiteral("участка"));
    EXPECT_EQ(page.UndoButton->toolTip(), QStringLiteral("Шаг назад: скорость сваи 1-2"));
    QTest::mouseClick(page.AutoSpeedButton, Qt::LeftButton);
    EXPECT_EQ(page.SpeedSourceCombo->currentText(), QStringLiteral("по длине"));
    EXPECT_FALSE(page.Analyser().VerdictOf({1, 2}).speedChoice);
}

TEST_F(PileVerdictFieldsTest, TheSitePanelSetsTheSiteSpeedForThePilesSelected) {
    TPilePage& page = pilesOfKnownLength(4);
    const TSiteSpeed site = page.Analyser().SiteSpeed(1);
    ASSERT_TRUE(site.speed);
    dialogs.onExec = [&](QDialog& dialog) {
        auto& panel = dynamic_cast<TSiteSpeedPanel&>(dialog);
        QTreeWidgetItem* top = panel.SiteTree->topLevelItem(0);
        const QString deviation = top->child(0)->text(2);
        panel.SiteTree->clearSelection();
        top->child(0)->setSelected(true);
        top->child(2)->setSelected(true);
        QTest::mouseClick(panel.SiteSpeedButton, Qt::LeftButton);
        top = panel.SiteTree->topLevelItem(0);
        EXPECT_TRUE(top->child(0)->text(1).endsWith(QStringLiteral("(участка)")));
        EXPECT_TRUE(top->child(1)->text(1).endsWith(QStringLiteral("(по длине)")));
        EXPECT_TRUE(top->child(2)->isSelected()) << "the selection stays for the next button";
        EXPECT_EQ(top->child(0)->text(2), deviation) << "the deviation is still that of the pile's length";
        return int(QDialog::Rejected);
    };
    trigger("SiteSpeedAction");
    for (int pile : {1, 3})
        EXPECT_EQ(page.Analyser().VerdictOf({1, pile}).speedChoice, TSpeedChoice::Site) << pile;
    EXPECT_FALSE(page.Analyser().VerdictOf({1, 2}).speedChoice);
    EXPECT_EQ(page.Analyser().SiteSpeed(1).speed, site.speed) << "the piles still give the site's speed";
    EXPECT_TRUE(enabled("SaveProjectAction"));
    EXPECT_EQ(page.UndoButton->toolTip(), QStringLiteral("Шаг назад: скорость сваи 1-3"));
    page.Undo();
    EXPECT_FALSE(page.Analyser().VerdictOf({1, 3}).speedChoice);
    EXPECT_EQ(page.Analyser().VerdictOf({1, 1}).speedChoice, TSpeedChoice::Site);
}

TEST_F(PileVerdictFieldsTest, ABlowLeftOutForItsCorrelationIsTakenBackInByItsBox) {
    TPilePage& page = openPage(pileWithBadBlows());
    ASSERT_EQ(page.Shown()->used, 3);
    QTableWidgetItem* unlike = page.BlowList->item(1, 0);
    QTableWidgetItem* clipped = page.BlowList->item(3, 0);
    EXPECT_TRUE(unlike->flags() & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(clipped->flags() & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(page.BlowList->item(3, 3)->toolTip().contains(QStringLiteral("зашкал датчика")));
    unlike->setCheckState(Qt::Checked);
    EXPECT_EQ(page.Shown()->used, 4);
    EXPECT_EQ(page.BlowList->item(1, 3)->text(), QStringLiteral("взят инженером"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("4 / 5"));
    EXPECT_EQ(page.UndoButton->toolTip(), QStringLiteral("Шаг назад: удары сваи 1-1"));
    // The reason column is as wide as its text.
    const QString reason = page.BlowList->item(3, 3)->text();
    EXPECT_GE(page.BlowList->columnWidth(3), page.BlowList->fontMetrics().horizontalAdvance(reason));
}

TEST_F(PileVerdictFieldsTest, TheRemarkIsOneLineOrOneOfTheProjectsRemarks) {
    TPilePage& page = openPage(pileProject(3));
    EXPECT_EQ(phrases(page), QStringList{QStringLiteral("В проекте ещё нет примечаний")});
    page.RemarkEdit->setFocus();
    typeText(page.RemarkEdit, QStringLiteral("оголовок сколот"));
    QTest::keyClick(page.RemarkEdit, Qt::Key_Return); // takes the remark, breaks no line
    EXPECT_EQ(page.Analyser().VerdictOf({1, 1}).remark, QStringLiteral("оголовок сколот"));
    EXPECT_EQ(page.RemarkEdit->text(), QStringLiteral("оголовок сколот"));
    ASSERT_TRUE(page.SelectPile({1, 2}));
    page.RemarkEdit->setText(QStringLiteral("трещина в оголовке"));
    emit page.RemarkEdit->editingFinished();

    ASSERT_TRUE(page.SelectPile({1, 3}));
    EXPECT_EQ(phrases(page),
              (QStringList{QStringLiteral("оголовок сколот"), QStringLiteral("трещина в оголовке")}));
    page.RemarkPhrasesButton->menu()->actions().at(1)->trigger();
    EXPECT_EQ(page.Analyser().VerdictOf({1, 3}).remark, QStringLiteral("трещина в оголовке"));
    EXPECT_EQ(page.RemarkEdit->text(), QStringLiteral("трещина в оголовке"));
    EXPECT_EQ(page.UndoButton->toolTip(), QStringLiteral("Шаг назад: примечание сваи 1-3"));
    EXPECT_EQ(phrases(page).first(), QStringLiteral("трещина в оголовке")) << "the most used first";
}

} // namespace
