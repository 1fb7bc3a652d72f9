// The "Сваи" page through its widgets: the list followed, marks set by the mouse, the speed's
// source, blows left out, classes by key (and on to the next pile), the first pass's proposals
// taken, the verdicts kept, saved and cancelled as the rest of the project, and the steps back and
// forward through the edits since the last save.
#include "PilePageFixture.h"

namespace {

using PilePageTest = PilePageFixture;

TEST_F(PilePageTest, TheKeysMoveThroughThePilesAndJudgeThem) {
    TPilePage& page = openPage(pileProject());
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(page.SiteFilter->itemText(0), QStringLiteral("все участки"));
    ASSERT_EQ(page.CurrentPile(), (TPileKey{1, 1}));
    page.PileList->setFocus();
    QTest::keyClick(page.PileList, Qt::Key_Down);
    ASSERT_EQ(page.CurrentPile(), (TPileKey{1, 2}));
    EXPECT_EQ(page.Shown()->key, (TPileKey{1, 2}));
    EXPECT_EQ(page.AverageChart->graph(1)->dataCount(),
              int(page.Shown()->curves->amplified[0].size()) - page.Shown()->curves->SampleOf(-0.5));
    EXPECT_EQ(cell(1, 2), QStringLiteral("5 / 5"));
    EXPECT_FALSE(enabled("SaveProjectAction"));

    QTest::keyClick(page.PileList, Qt::Key_3);
    EXPECT_EQ(window->PilePage->Analyser().VerdictOf({1, 2}).cls, QStringLiteral("III"));
    EXPECT_EQ(cell(1, 7), QStringLiteral("III"));
    EXPECT_FALSE(page.Stale());                      // a first verdict is no reason to list the piles again
    EXPECT_EQ(page.CurrentPile(), (TPileKey{1, 3})); // on to the next pile
    EXPECT_TRUE(enabled("SaveProjectAction"));
    QTest::keyClick(page.PileList, Qt::Key_Up);
    EXPECT_EQ(page.ClassCombo->currentData().toString(), QStringLiteral("III"));
    QTest::keyClick(page.PileList, Qt::Key_Up);
    EXPECT_EQ(page.Shown()->key, (TPileKey{1, 1}));
    EXPECT_EQ(page.Shown()->verdict.cls, QString());
    QFont large = page.font(); // a style with larger text
    large.setPointSizeF(large.pointSizeF() * 1.5);
    page.setFont(large);
    QTest::keyClick(page.PileList, Qt::Key_Down); // the next pile shown in it
    page.Splitter->setSizes({2000, 2000, 0});     // the panel as narrow as it goes
    QCoreApplication::processEvents();            // laid out as shown
    // Each class shown whole: the box asks for the width of the longest and gets it.
    for (int i = 0; i < page.ClassCombo->count(); ++i)
        EXPECT_GT(page.ClassCombo->sizeHint().width(),
                  page.ClassCombo->fontMetrics().horizontalAdvance(page.ClassCombo->itemText(i)))
            << page.ClassCombo->itemText(i).toStdString();
    EXPECT_GE(page.ClassCombo->width(), page.ClassCombo->sizeHint().width());
    for (int i = 0; i < page.ClassCombo->count(); ++i) // and so does its open list
        EXPECT_GT(page.ClassCombo->view()->minimumWidth(),
                  page.ClassCombo->view()->fontMetrics().horizontalAdvance(page.ClassCombo->itemText(i)));
}

TEST_F(PilePageTest, WithADesignLengthTheDraggedToeGivesTheSpeed) {
    TPilePage& page = openPage(pileProject(1));
    enter(page.LengthEdit, "12,2");
    ASSERT_TRUE(page.Shown()->toeTime);
    EXPECT_TRUE(page.Shown()->toeAuto);
    EXPECT_EQ(page.SpeedSourceCombo->currentText(), QStringLiteral("по длине"));
    EXPECT_NEAR(page.Shown()->waveSpeed, 2 * 12.2 / (*page.Shown()->toeTime / 1000), 1e-6);

    // A toe put by hand at 9 m of the speed in force, then dragged twice.
    double expected = pixelDepth(9) * 2000 / page.Shown()->waveSpeed;
    doubleClick(9);
    ASSERT_FALSE(page.Shown()->toeAuto);
    EXPECT_NEAR(*page.Shown()->toeTime, expected, 1e-9);
    EXPECT_NEAR(page.Shown()->waveSpeed, 2 * 12.2 / (expected / 1000), 1e-6);
    for (double to : {11.0, 13.0}) {
        const double depth = page.Shown()->Depth(*page.Shown()->toeTime); // the length's speed: at 12,2 m
        EXPECT_NEAR(depth, 12.2, 1e-9);
        expected = pixelDepth(to) * 2000 / page.Shown()->waveSpeed;
        drag(depth, to);
        EXPECT_NEAR(*page.Shown()->toeTime, expected, 1e-9);
        EXPECT_NEAR(page.Shown()->waveSpeed, 2 * 12.2 / (expected / 1000), 1e-6);
    }
    EXPECT_TRUE(page.ToeLabel->text().contains(QStringLiteral("отмечена инженером")));
}

TEST_F(PilePageTest, ATypedSpeedIsThePilesOwnUntilAuto) {
    TPilePage& page = openPage(pileProject(1));
    const double automatic = page.Shown()->waveSpeed;
    EXPECT_EQ(page.SpeedSourceCombo->currentText(), QStringLiteral("из записи"));
    EXPECT_FALSE(page.AutoSpeedButton->isEnabled());
    enter(page.SpeedEdit, page.SpeedEdit->text()); // Enter on what is shown changes nothing
    EXPECT_EQ(page.SpeedSourceCombo->currentText(), QStringLiteral("из записи"));
    enter(page.SpeedEdit, "4150");
    EXPECT_EQ(page.Shown()->waveSpeed, 4150);
    EXPECT_EQ(page.SpeedSourceCombo->currentText(), QStringLiteral("своя"));
    EXPECT_EQ(cell(0, 5), QStringLiteral("своя"));
    enter(page.SpeedEdit, "12"); // not a concrete's speed: the one in force stays, and why
    EXPECT_EQ(page.SpeedEdit->text(), QStringLiteral("4150"));
    auto* refusal = page.findChild<QLabel*>("RefusalLabel");
    EXPECT_EQ(refusal->text(), QStringLiteral("Скорость волны должна быть от 1000 до 6000 м/с"));
    EXPECT_TRUE(refusal->isVisible());
    enter(page.LengthEdit, "999999");
    EXPECT_FALSE(page.Shown()->verdict.length);
    EXPECT_EQ(refusal->text(), QStringLiteral("Длина сваи должна быть от 0,5 до 100 м"));
    QTest::mouseClick(page.AutoSpeedButton, Qt::LeftButton);
    EXPECT_EQ(page.Shown()->waveSpeed, automatic);
    EXPECT_EQ(page.SpeedSourceCombo->currentText(), QStringLiteral("из записи"));
}

TEST_F(PilePageTest, ABlowLeftOutLeavesTheAverage) {
    TPilePage& page = openPage(pileProject(1));
    const std::vector<double> before(page.Shown()->blowSet->Average(0).begin(),
                                     page.Shown()->blowSet->Average(0).end());
    page.BlowList->item(1, 0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(page.Shown()->used, 4);
    EXPECT_EQ(page.BlowList->item(1, 3)->text(), QStringLiteral("исключён"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("4 / 5"));
    const auto after = page.Shown()->blowSet->Average(0);
    EXPECT_FALSE(std::equal(before.begin(), before.end(), after.begin(), after.end()));
    page.BlowList->item(1, 0)->setCheckState(Qt::Checked);
    EXPECT_EQ(page.Shown()->used, 5);
    EXPECT_TRUE(page.Shown()->verdict.excluded.empty());
}

TEST_F(PilePageTest, DeleteRemovesTheMarkTakenLast) {
    TPilePage& page = openPage(pileProject(1));
    nextKind = QStringLiteral("трещина");
    doubleClick(4);
    doubleClick(7);
    ASSERT_EQ(page.Shown()->verdict.defects.size(), 2u);
    EXPECT_EQ(page.Shown()->verdict.defects[1].kind, QStringLiteral("трещина"));
    nextKind.reset(); // the menu closed: nothing added
    doubleClick(9);
    ASSERT_EQ(page.Shown()->verdict.defects.size(), 2u);
    // Taken without moving: selected, not moved.
    const double at4 = page.Shown()->verdict.defects[0].time;
    drag(page.Shown()->Depth(at4), page.Shown()->Depth(at4));
    EXPECT_EQ(page.Shown()->verdict.defects[0].time, at4);
    QTest::keyClick(page.AverageChart, Qt::Key_Delete);
    ASSERT_EQ(page.Shown()->verdict.defects.size(), 1u);
    EXPECT_NEAR(page.Shown()->Depth(page.Shown()->verdict.defects[0].time), 7, 0.1);
    // The toe the analysis found, taken and deleted, does not come back; one put back is the engineer's.
    enter(page.LengthEdit, "12,2");
    ASSERT_TRUE(page.Shown()->toeTime && page.Shown()->toeAuto);
    const double toe = page.Shown()->Depth(*page.Shown()->toeTime);
    drag(toe, toe);
    QTest::keyClick(page.AverageChart, Qt::Key_Delete);
    EXPECT_FALSE(page.Shown()->toeTime);
    EXPECT_TRUE(page.Shown()->verdict.toeRemoved);
    EXPECT_EQ(page.findChild<QLabel*>("ToeLabel")->text(), QStringLiteral("Подошва не отмечена"));
    nextKind = TPilePage::ToeKind();
    doubleClick(11);
    ASSERT_TRUE(page.Shown()->toeTime);
    EXPECT_FALSE(page.Shown()->toeAuto || page.Shown()->verdict.toeRemoved);
}

TEST_F(PilePageTest, TheVerdictsAreSavedAndTheirChangesCancelled) {
    const QString project = pileProject(2);
    TPilePage& page = openPage(project);
    enter(page.LengthEdit, "12,4");
    page.SelectPile({1, 2});
    enter(page.LengthEdit, "12,6");
    doubleClick(11);
    nextKind = QStringLiteral("сужение");
    doubleClick(5);
    page.BlowList->item(0, 0)->setCheckState(Qt::Unchecked);
    QTest::keyClick(page.PileList, Qt::Key_2);
    page.RemarkEdit->setText(QStringLiteral("оголовок сколот"));
    emit page.RemarkEdit->editingFinished();
    const TPileVerdict saved = page.Shown()->verdict;
    EXPECT_TRUE(saved.toeTime && saved.length && saved.defects.size() == 1 && saved.excluded.size() == 1);
    trigger("SaveProjectAction");
    EXPECT_FALSE(enabled("SaveProjectAction"));
    ASSERT_TRUE(closeWindow());

    TPilePage& again = openPage(project);
    ASSERT_TRUE(again.SelectPile({1, 2}));
    EXPECT_EQ(again.Shown()->verdict, saved);
    EXPECT_EQ(again.RemarkEdit->text(), QStringLiteral("оголовок сколот"));
    QTest::keyClick(again.PileList, Qt::Key_4);
    enter(again.SpeedEdit, "4300");
    dialogs.answers.push_back(QMessageBox::Yes);
    trigger("CancelChangesAction");
    ASSERT_EQ(again.CurrentPile(), (TPileKey{1, 2}));
    EXPECT_EQ(again.Shown()->verdict, saved);
    EXPECT_EQ(again.ClassCombo->currentData().toString(), QStringLiteral("II"));
    EXPECT_EQ(cell(currentRow(), 7), QStringLiteral("II"));
}

TEST_F(PilePageTest, TheSitePanelTakesPilesOutOfTheSiteSpeedAndBack) {
    TPilePage& page = openPage(pileProject(4));
    for (int pile = 1; pile <= 4; ++pile) {
        page.SelectPile({1, pile});
        enter(page.LengthEdit, FormatFloat("0.0", 12 + 0.2 * pile));
    }
    const TSiteSpeed site = page.Analyser().SiteSpeed(1);
    ASSERT_TRUE(site.speed);
    ASSERT_EQ(site.used.size() + site.excluded.size(), 4u);
    const int pile = site.used.front();
    dialogs.onExec = [&](QDialog& dialog) {
        auto& panel = dynamic_cast<TSiteSpeedPanel&>(dialog);
        QTreeWidgetItem* top = panel.SiteTree->topLevelItem(0);
        EXPECT_EQ(top->childCount(), 4);
        EXPECT_EQ(top->text(1), FormatFloat("#,##0", *site.speed));
        EXPECT_EQ(panel.SiteTree->currentItem(), top->child(3)); // the pile on show
        panel.SiteTree->setCurrentItem(top->child(pile - 1));
        QTest::mouseClick(panel.OwnSpeedButton, Qt::LeftButton);
        EXPECT_EQ(panel.SiteTree->topLevelItem(0)->child(pile - 1)->text(3),
                  QStringLiteral("нет: своя скорость"));
        EXPECT_TRUE(page.Analyser().VerdictOf({1, pile}).speed);
        const TSiteSpeed without = page.Analyser().SiteSpeed(1);
        EXPECT_EQ(std::count(without.used.begin(), without.used.end(), pile), 0);
        QTest::mouseClick(panel.AutoButton, Qt::LeftButton);
        EXPECT_EQ(panel.SiteTree->topLevelItem(0)->child(pile - 1)->text(3), QStringLiteral("да"));
        return int(QDialog::Rejected);
    };
    trigger("SiteSpeedAction");
    EXPECT_FALSE(page.Analyser().VerdictOf({1, pile}).speed);
    EXPECT_EQ(page.Analyser().SiteSpeed(1).speed, site.speed);
    EXPECT_TRUE(enabled("SaveProjectAction"));
}

// Marks are as many as the engineer puts: the fortieth, added and dragged, is saved with the rest.
TEST_F(PilePageTest, TheFortiethMarkIsDraggedAndSaved) {
    const QString project = pileProject(1);
    TPilePage& page = openPage(project);
    nextKind = QStringLiteral("трещина");
    for (int mark = 0; mark < 40; ++mark)
        doubleClick(1 + 0.3 * mark);
    ASSERT_EQ(page.Shown()->verdict.defects.size(), 40u);
    const double expected = pixelDepth(20) * 2000 / page.Shown()->waveSpeed;
    drag(page.Shown()->Depth(page.Shown()->verdict.defects[39].time), 20);
    EXPECT_EQ(page.SelectedMark(), 39);
    const std::vector<TDefectMark> marks = page.Shown()->verdict.defects;
    ASSERT_EQ(marks.size(), 40u);
    EXPECT_NEAR(marks[39].time, expected, 1e-9);
    trigger("SaveProjectAction");
    ASSERT_TRUE(closeWindow());

    TPilePage& again = openPage(project);
    EXPECT_EQ(again.Shown()->verdict.defects, marks);
}

// The first pass reads the piles in the background; its proposals come into the list beside the
// engineer's class, the filter keeps the piles to read first, and «Принять» takes the proposal
// into the verdict while the engineer's own mark stays.
TEST_F(PilePageTest, TheFirstPassProposesAndTheEngineerAccepts) {
    TPilePage& page = openPage(pileProject(3, 2));
    ASSERT_TRUE(page.SelectPile({1, 2}));
    QCoreApplication::processEvents(); // the first pass starts
    EXPECT_TRUE(page.List->FirstPassLabel->isVisible());
    enter(page.LengthEdit, "12,4"); // what it reads changes while it runs: it reads again
    nextKind = QStringLiteral("трещина");
    doubleClick(9); // the engineer's mark, before any proposal
    ASSERT_EQ(page.Shown()->verdict.defects.size(), 1u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page.FirstPassRunning() && page.Proposal({1, 2}); }, 600000));
    EXPECT_FALSE(page.List->FirstPassLabel->isVisible());

    const int narrowed = rowOf(2);
    ASSERT_GE(narrowed, 0);
    EXPECT_EQ(cell(narrowed, 8), QStringLiteral("III"));
    EXPECT_EQ(cell(narrowed, 7), QString()); // the class stays the engineer's: none yet
    EXPECT_TRUE(cell(narrowed, 8, Qt::ToolTipRole).contains(QRegularExpression("Уверенность: [01],\\d\\d")))
        << cell(narrowed, 8, Qt::ToolTipRole).toStdString();
    EXPECT_EQ(page.PileList->model()->index(narrowed, 8).data(Qt::ForegroundRole).value<QColor>(),
              QColor(Qt::darkGray));
    EXPECT_EQ(cell(rowOf(1), 8), QStringLiteral("I"));
    EXPECT_TRUE(page.ProposalLabel->text().contains(QStringLiteral("Класс III")))
        << page.ProposalLabel->text().toStdString();
    EXPECT_TRUE(page.ProposalLabel->text().contains(QStringLiteral("сужение: ")));
    const auto findingLabels = [&] {
        QStringList labels;
        for (int i = 0; i < page.AverageChart->itemCount(); ++i)
            if (const auto* label = qobject_cast<QCPItemText*>(page.AverageChart->item(i));
                label && label->objectName().startsWith(QStringLiteral("findingLabel")))
                labels << label->text();
        return labels;
    };
    ASSERT_EQ(findingLabels().size(), 1);
    EXPECT_TRUE(findingLabels()[0].startsWith(QStringLiteral("сужение 0,")))
        << findingLabels()[0].toStdString();
    EXPECT_EQ(page.Curves->ProfileChart->graphCount(), 1); // the profile under the average

    // Only the narrowed pile asks for attention; the pile shown stays.
    page.List->AttentionOnly->setChecked(true);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 1), QStringLiteral("2"));
    EXPECT_EQ(page.CurrentPile(), (TPileKey{1, 2}));

    ASSERT_TRUE(page.AcceptButton->isEnabled());
    page.PileList->setFocus();
    QTest::keyClick(page.PileList, Qt::Key_Return, Qt::ControlModifier);
    const TPileVerdict accepted = page.Analyser().VerdictOf({1, 2});
    EXPECT_EQ(accepted.cls, QStringLiteral("III"));
    EXPECT_TRUE(accepted.classFirstPass);
    ASSERT_EQ(accepted.defects.size(), 2u);
    EXPECT_EQ(accepted.defects[0].kind, QStringLiteral("трещина"));
    EXPECT_FALSE(accepted.defects[0].firstPass);
    EXPECT_EQ(accepted.defects[1].kind, QStringLiteral("сужение"));
    EXPECT_TRUE(accepted.defects[1].firstPass);
    EXPECT_EQ(cell(0, 7), QStringLiteral("III"));
    EXPECT_TRUE(enabled("SaveProjectAction"));
    const auto markStyle = [&](int mark) {
        for (int i = 0; i < page.AverageChart->itemCount(); ++i)
            if (page.AverageChart->item(i)->objectName() == PileMarkName(mark))
                return static_cast<QCPItemStraightLine*>(page.AverageChart->item(i))->pen().style();
        return Qt::NoPen;
    };
    EXPECT_EQ(markStyle(0), Qt::SolidLine);
    EXPECT_EQ(markStyle(1), Qt::DashDotLine);
    EXPECT_TRUE(findingLabels().isEmpty()); // taken: the verdict's mark shows it now
    // Taken again: nothing doubles.
    QTest::mouseClick(page.AcceptButton, Qt::LeftButton);
    EXPECT_EQ(page.Analyser().VerdictOf({1, 2}), accepted);
    // What the engineer moves or sets is theirs.
    drag(page.Shown()->Depth(accepted.defects[1].time), 6);
    EXPECT_FALSE(page.Analyser().VerdictOf({1, 2}).defects[1].firstPass);
    EXPECT_EQ(markStyle(1), Qt::SolidLine);
    page.PileList->setFocus();
    QTest::keyClick(page.PileList, Qt::Key_4);
    EXPECT_EQ(page.Analyser().VerdictOf({1, 2}).cls, QStringLiteral("IV"));
    EXPECT_FALSE(page.Analyser().VerdictOf({1, 2}).classFirstPass);
    QCoreApplication::processEvents();     // the changes' turn is over
    EXPECT_FALSE(page.FirstPassRunning()); // a class or a mark is no reason to read the piles again
}

} // namespace

TEST_F(PilePageTest, StepsBackAndForwardThroughTheEditsUntilASave) {
    TPilePage& page = openPage(pileProject(2));
    EXPECT_FALSE(page.UndoButton->isEnabled());
    EXPECT_FALSE(page.RedoButton->isEnabled());
    page.PileList->setFocus();
    QTest::keyClick(page.PileList, Qt::Key_3);
    ASSERT_TRUE(page.SelectPile({1, 1})); // back from the next pile
    enter(page.LengthEdit, "12,4");
    ASSERT_TRUE(page.SelectPile({1, 2}));
    page.RemarkEdit->setText(QStringLiteral("оголовок сколот"));
    emit page.RemarkEdit->editingFinished();
    const TPileVerdict first = page.Analyser().VerdictOf({1, 1});
    EXPECT_EQ(page.UndoButton->toolTip(), QStringLiteral("Шаг назад: примечание сваи 1-2"));

    const auto Z = [&] { QTest::keyClick(page.PileList, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier); };
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())); // the page's shortcuts work
    page.PileList->setFocus();
    Z();
    EXPECT_EQ(page.Analyser().VerdictOf({1, 2}).remark, QString());
    EXPECT_EQ(page.RemarkEdit->text(), QString());
    EXPECT_EQ(page.RedoButton->toolTip(), QStringLiteral("Шаг вперёд: примечание сваи 1-2"));
    Z(); // the step is of the other pile: it is shown
    ASSERT_EQ(page.CurrentPile(), (TPileKey{1, 1}));
    EXPECT_FALSE(page.Analyser().VerdictOf({1, 1}).length);
    EXPECT_EQ(page.Analyser().VerdictOf({1, 1}).cls, QStringLiteral("III"));
    EXPECT_EQ(page.UndoButton->toolTip(), QStringLiteral("Шаг назад: класс сваи 1-1"));
    Z();
    EXPECT_EQ(page.ClassCombo->currentData().toString(), QString());
    EXPECT_FALSE(page.UndoButton->isEnabled());

    QTest::keyClick(page.PileList, Qt::Key_Y, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(page.PileList, Qt::Key_Y, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(page.Analyser().VerdictOf({1, 1}), first);
    EXPECT_EQ(page.Shown()->verdict, first);
    EXPECT_TRUE(page.RedoButton->isEnabled());
    page.RedoButton->click(); // and the buttons as the keys
    EXPECT_EQ(page.Analyser().VerdictOf({1, 2}).remark, QStringLiteral("оголовок сколот"));
    EXPECT_FALSE(page.RedoButton->isEnabled());
    page.UndoButton->click();
    EXPECT_EQ(page.Analyser().VerdictOf({1, 2}).remark, QString());

    trigger("SaveProjectAction"); // the steps go as far back as the project saved
    EXPECT_FALSE(page.UndoButton->isEnabled());
    EXPECT_FALSE(page.RedoButton->isEnabled());
    Z();
    EXPECT_EQ(page.Analyser().VerdictOf({1, 1}), first);
}

TEST_F(PilePageTest, AClassTypedMovesToThePileThatFollowedInTheListShown) {
    TPilePage& page = openPage(pileProject(4));
    // Sorted by class, the unjudged piles first: a pile judged jumps down, the cursor takes the
    // pile that was under it.
    page.PileList->sortByColumn(TPileListModel::kClass, Qt::AscendingOrder);
    ASSERT_TRUE(page.SelectPile({1, 1}));
    page.PileList->setFocus();
    QTest::keyClick(page.PileList, Qt::Key_2);
    EXPECT_EQ(page.Analyser().VerdictOf({1, 1}).cls, QStringLiteral("II"));
    EXPECT_EQ(page.CurrentPile(), (TPileKey{1, 2}));
    QTest::keyClick(page.PileList, Qt::Key_1);
    EXPECT_EQ(page.CurrentPile(), (TPileKey{1, 3}));
    const QStringList order{cell(0, 1), cell(1, 1), cell(2, 1), cell(3, 1)};
    EXPECT_EQ(order, QStringList({"3", "4", "2", "1"})); // 1-2 (I) before 1-1 (II)
    EXPECT_EQ(currentRow(), 0);
    QTest::keyClick(page.PileList, Qt::Key_4);
    EXPECT_EQ(page.CurrentPile(), (TPileKey{1, 4}));
    ASSERT_TRUE(page.SelectPile({1, 3}));
    ASSERT_EQ(currentRow(), 3);
    QTest::keyClick(page.PileList, Qt::Key_4); // nothing under the last pile: it stays
    EXPECT_EQ(page.CurrentPile(), (TPileKey{1, 3}));

    // Without the option the cursor stays on the pile judged, wherever it goes.
    trigger("NextPileAfterClassAction");
    EXPECT_FALSE(find<QAction>("NextPileAfterClassAction")->isChecked());
    ASSERT_TRUE(page.SelectPile({1, 2}));
    QTest::keyClick(page.PileList, Qt::Key_4);
    EXPECT_EQ(page.CurrentPile(), (TPileKey{1, 2}));
    EXPECT_EQ(cell(currentRow(), 7), QStringLiteral("IV"));
    EXPECT_EQ(currentRow(), 3);
}
