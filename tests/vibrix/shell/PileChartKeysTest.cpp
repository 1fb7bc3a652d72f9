// The pile chart under the engineer's hands: the keys over it (Space for the toe, Shift with a
// digit for a defect, in whichever layout), the pile's blows behind the average, and the depth and
// time read out under the pointer and of the mark it holds.
#include "PilePageFixture.h"

#include "TWaveSpeed.h"

#include <QKeyEvent>

namespace {

class PileChartKeysTest : public PilePageFixture {
protected:
    // The pointer moved over the chart to a depth, no button held.
    void hover(double depth) { mouse(QEvent::MouseMove, depth, Qt::NoButton); }
    void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
        QCoreApplication::sendEvent(window->PilePage->AverageChart, &press);
    }
    QCPGraph* graphNamed(const QString& name) const {
        QCustomPlot* chart = window->PilePage->AverageChart;
        for (int i = 0; i < chart->graphCount(); ++i)
            if (chart->graph(i)->name() == name)
                return chart->graph(i);
        return nullptr;
    }
    template <typename T> T* item(const QString& name) const {
        QCustomPlot* chart = window->PilePage->AverageChart;
        for (int i = 0; i < chart->itemCount(); ++i)
            if (chart->item(i)->objectName() == name)
                return qobject_cast<T*>(chart->item(i));
        return nullptr;
    }
    static bool positiveExtremum(const std::vector<double>& x, int i) {
        return i > 0 && i + 1 < int(x.size()) && x[std::size_t(i)] > 0 &&
               x[std::size_t(i)] >= x[std::size_t(i - 1)] && x[std::size_t(i)] > x[std::size_t(i + 1)];
    }
};

TEST_F(PileChartKeysTest, SpacePutsTheToeOnTheEchoUnderThePointer) {
    TPilePage& page = openPage(pileProject(1));
    enter(page.LengthEdit, "12,2");
    ASSERT_TRUE(page.Shown()->toeTime && page.Shown()->toeAuto);
    const double picked = *page.Shown()->toeTime; // the analysis's own pick of the echo
    const double toe = page.Shown()->Depth(picked);
    hover(toe + 0.15);
    key(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    ASSERT_TRUE(page.Shown()->toeTime);
    EXPECT_FALSE(page.Shown()->toeAuto); // the engineer's now, on the same echo
    EXPECT_NEAR(*page.Shown()->toeTime, picked, 1e-9);
    EXPECT_EQ(page.SelectedMark(), -1);

    // Pointed at elsewhere, from the list: the positive extremum nearest to the pointer (the
    // speed then follows the toe, the samples stay).
    page.PileList->setFocus();
    hover(8);
    const TProcessedCurves c = *page.Shown()->curves;
    const int pointed = c.SampleOf(page.Shown()->Time(pixelDepth(8)));
    QTest::keyClick(page.PileList, Qt::Key_Space);
    const int at = c.SampleOf(*page.Shown()->toeTime);
    EXPECT_TRUE(positiveExtremum(c.plain[0], at));
    const int away = std::abs(at - pointed);
    for (int i = pointed - away + 1; i < pointed + away; ++i) // none nearer on either side
        EXPECT_FALSE(positiveExtremum(c.plain[0], i)) << i;
    EXPECT_TRUE(page.UndoAction->isEnabled());
    page.UndoAction->trigger();
    EXPECT_NEAR(*page.Shown()->toeTime, picked, 1e-9);
}

TEST_F(PileChartKeysTest, ShiftWithADigitPutsTheDefectKindsInOrderInEitherLayout) {
    TPilePage& page = openPage(pileProject(1));
    // What the keys 1...5 give with Shift: in the US layout, in the Russian one, and the digit
    // itself where a layout (French) types digits with Shift.
    const std::vector<std::vector<int>> layouts = {
        {Qt::Key_Exclam, Qt::Key_At, Qt::Key_NumberSign, Qt::Key_Dollar, Qt::Key_Percent},
        {Qt::Key_Exclam, Qt::Key_QuoteDbl, 0x2116, Qt::Key_Semicolon, Qt::Key_Percent},
        {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5}};
    std::vector<double> depths;
    for (const std::vector<int>& keys : layouts)
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const double depth = 1 + 0.4 * double(depths.size());
            hover(depth);
            depths.push_back(pixelDepth(depth));
            key(keys[k], Qt::ShiftModifier);
        }
    const std::vector<TDefectMark>& marks = page.Shown()->verdict.defects;
    ASSERT_EQ(marks.size(), depths.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i].kind, DefectKinds()[int(i % 5)]) << i;
        EXPECT_NEAR(page.Shown()->Depth(marks[i].time), depths[i], 1e-9) << i;
    }
    EXPECT_EQ(DefectKinds().mid(0, 5),
              (QStringList{QStringLiteral("сужение"), QStringLiteral("расширение"), QStringLiteral("трещина"),
                           QStringLiteral("обрыв"), QStringLiteral("иное")}));
    // Without Shift a digit is a class, as ever; the mark added last is the one selected, and looks it.
    EXPECT_EQ(page.SelectedMark(), 14);
    const auto* selected = item<QCPItemStraightLine>(PileMarkName(14));
    const auto* other = item<QCPItemStraightLine>(PileMarkName(13));
    ASSERT_TRUE(selected && other);
    EXPECT_GT(selected->pen().widthF(), other->pen().widthF());
    EXPECT_TRUE(item<QCPItemText>(PileMarkName(14) + "Label")->font().bold());
    EXPECT_FALSE(item<QCPItemText>(PileMarkName(13) + "Label")->font().bold());
    key(Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    EXPECT_EQ(page.Analyser().VerdictOf({1, 1}).cls, QStringLiteral("II"));
    EXPECT_EQ(page.Analyser().VerdictOf({1, 1}).defects.size(), 15u);
}

TEST_F(PileChartKeysTest, TheBlowsLieBehindTheAverageOnItsTimeAxis) {
    TPilePage& page = openPage(pileProject(1));
    auto* blows = page.findChild<QCheckBox*>("BlowsCheck");
    ASSERT_TRUE(blows);
    EXPECT_EQ(blows->text(), QStringLiteral("Удары"));
    EXPECT_FALSE(blows->isChecked());
    EXPECT_EQ(page.AverageChart->graphCount(), 4); // the amplification and the three channels
    page.PileList->setFocus();
    QTest::mouseClick(blows, Qt::LeftButton);
    EXPECT_TRUE(blows->isChecked());
    EXPECT_EQ(page.window()->focusWidget(), page.PileList); // the keys stay with the list and the chart
    const auto check = [&](int used) {
        const QCPGraph* average = graphNamed("sensor0"); // each drawing makes its graphs anew
        ASSERT_TRUE(average);
        ASSERT_EQ(page.AverageChart->graphCount(), 4 + used);
        std::vector<double> mean(std::size_t(average->dataCount()), 0.0);
        for (int b = 0; b < used; ++b) {
            const QCPGraph* g = graphNamed(QStringLiteral("blow%1").arg(b));
            ASSERT_TRUE(g);
            EXPECT_EQ(g->layer()->name(), QStringLiteral("blows"));
            EXPECT_LT(g->layer()->index(), average->layer()->index()); // behind the average
            ASSERT_EQ(g->dataCount(), average->dataCount());
            for (int i = 0; i < g->dataCount(); ++i) {
                ASSERT_EQ(g->data()->at(i)->key, average->data()->at(i)->key);
                mean[std::size_t(i)] += g->data()->at(i)->value / used;
            }
        }
        // The same processing: the blows' mean is the average, up to the record's end.
        double worst = 0, top = 0;
        for (int i = 0; i < average->dataCount() && average->data()->at(i)->key < 14; ++i) {
            worst = std::max(worst, std::abs(mean[std::size_t(i)] - average->data()->at(i)->value));
            top = std::max(top, std::abs(average->data()->at(i)->value));
        }
        EXPECT_LT(worst, 1e-3 * top);
    };
    check(5);
    page.BlowList->item(1, 0)->setCheckState(Qt::Unchecked); // a blow left out leaves the chart too
    check(4);
    blows->setChecked(false);
    EXPECT_EQ(page.AverageChart->graphCount(), 4);
}

TEST_F(PileChartKeysTest, ThePointerAndTheMarkItHoldsReadTheirDepthAndTime) {
    TPilePage& page = openPage(pileProject(1));
    auto* readout = page.findChild<QLabel*>("PileReadoutLabel");
    ASSERT_TRUE(readout);
    EXPECT_FALSE(readout->isVisible());
    const double speed = page.Shown()->waveSpeed;
    const auto reading = [speed](double depth) {
        return QStringLiteral("%1 м (%2 мс)")
            .arg(FormatFloat("0.00", depth), FormatFloat("0.00", depth * 2000 / speed));
    };
    hover(5);
    EXPECT_TRUE(readout->isVisible());
    EXPECT_EQ(readout->text(), reading(pixelDepth(5)));
    EXPECT_TRUE(readout->text().contains(QLatin1Char(',')));              // the decimal comma
    EXPECT_TRUE(page.AverageChart->rect().contains(readout->geometry())); // whole

    doubleClick(9); // the toe: the chart then reaches a little past it
    const double toe = page.Shown()->Depth(*page.Shown()->toeTime);
    const QCPAxis* depths = page.AverageChart->xAxis;
    hover(depths->pixelToCoord(depths->coordToPixel(toe) + 3)); // within the grip of its line
    EXPECT_EQ(readout->text(), reading(toe));                   // the mark's place, not the pointer's
    EXPECT_EQ(item<QCPItemText>("toeMarkLabel")->text(), QStringLiteral("Подошва  ") + reading(toe));
    mouse(QEvent::MouseButtonPress, toe);
    mouse(QEvent::MouseMove, 10.5);
    const double dragged = pixelDepth(10.5);      // at the scale the toe at 9 m gave: the drop rescales it
    EXPECT_EQ(readout->text(), reading(dragged)); // while dragged
    EXPECT_EQ(item<QCPItemText>("toeMarkLabel")->text(), QStringLiteral("Подошва  ") + reading(dragged));
    mouse(QEvent::MouseButtonRelease, 10.5, Qt::NoButton);
    EXPECT_NEAR(page.Shown()->Depth(*page.Shown()->toeTime), dragged, 1e-9);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(page.AverageChart, &leave);
    EXPECT_FALSE(readout->isVisible());
    EXPECT_EQ(item<QCPItemText>("toeMarkLabel")->text(), QStringLiteral("Подошва"));
}

} // namespace
