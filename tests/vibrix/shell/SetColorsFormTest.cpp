#include "SetColorsUnit.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

constexpr TColor kBlue = 0xFF0000, kRed = 0x0000FF, kBlack = 0x000000, kLime = 0x00FF00;

class SetColorsForm : public ::testing::Test {
protected:
    // The dialog as the main window fills it.
    void SetUp() override {
        form.SetCount(3);
        const char* names[] = {"Датчик №1", "Датчик №2", "Молоток"};
        const TColor colours[] = {kBlue, kRed, kBlack};
        for (int i = 0; i < 3; ++i) {
            form.SetName(i, QString::fromUtf8(names[i]));
            form.SetColor(i, colours[i]);
        }
        form.show();
    }
    QTableWidget* grid() { return form.findChild<QTableWidget*>("ColorsDrawGrid"); }
    QComboBox* box() { return form.findChild<QComboBox*>("ColorComboBox"); }
    QRect cell(int row, int column) { return grid()->visualRect(grid()->model()->index(row, column)); }
    void click(int row, int column) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell(row, column).center());
    }
    QColor shown(int row) { return grid()->viewport()->grab().toImage().pixelColor(cell(row, 1).center()); }

    TSetColorsForm form;
};

TEST_F(SetColorsForm, APickThroughGridAndBoxIsTakenOnApply) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Цвета"));
    EXPECT_EQ(grid()->rowCount(), 3);
    const QRect colour(grid()->viewport()->mapTo(grid()->parentWidget(), cell(2, 1).topLeft()),
                       cell(2, 1).size());
    EXPECT_TRUE(grid()->parentWidget()->rect().contains(colour)) << "the colour column is cut off";
    EXPECT_EQ(shown(0), QColor(Qt::blue));
    EXPECT_EQ(shown(1), QColor(Qt::red));
    EXPECT_FALSE(box()->isVisible());
    click(1, 1);
    ASSERT_TRUE(box()->isVisible());
    EXPECT_EQ(box()->geometry(), cell(1, 1));
    EXPECT_EQ(box()->currentIndex(), 9);  // red among the 16
    QTest::keyClick(box(), Qt::Key_Down); // the next one: lime
    EXPECT_EQ(form.GetColor(1), kLime);
    EXPECT_FALSE(box()->isVisible());
    EXPECT_EQ(shown(1), QColor(Qt::green));
    EXPECT_EQ(form.GetColor(0), kBlue);
    EXPECT_EQ(form.GetColor(2), kBlack);
    QTest::mouseClick(form.findChild<QPushButton*>("ApplyButton"), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(SetColorsForm, CancelAndEscapeCloseWithoutApplying) {
    click(0, 1);
    QTest::keyClick(box(), Qt::Key_Down);
    QTest::mouseClick(form.findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    form.show();
    form.setResult(QDialog::Accepted);
    QTest::keyClick(grid(), Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(SetColorsForm, OnlyAChosenColourOfARowInTheListIsStored) {
    const TColor own = 0x123456; // from the settings file, none of the 16
    form.SetColor(2, own);
    click(2, 1);
    ASSERT_TRUE(box()->isVisible());
    EXPECT_EQ(box()->currentIndex(), -1);
    click(2, 0); // leaves the drop-down without a choice
    EXPECT_FALSE(box()->isVisible());
    EXPECT_EQ(form.GetColor(2), own);

    form.SetColor(3, kLime);
    form.SetName(-1, "x");
    EXPECT_EQ(form.GetColor(3), 0u);
    EXPECT_EQ(form.GetColor(-1), 0u);
    EXPECT_EQ(form.GetCount(), 3);

    // A fresh dialog has one grid row and no colours: nothing to pick there.
    TSetColorsForm empty;
    empty.show();
    auto* emptyGrid = empty.findChild<QTableWidget*>("ColorsDrawGrid");
    EXPECT_EQ(emptyGrid->rowCount(), 1);
    QTest::mouseClick(emptyGrid->viewport(), Qt::LeftButton, {},
                      emptyGrid->visualRect(emptyGrid->model()->index(0, 1)).center());
    EXPECT_FALSE(empty.findChild<QComboBox*>("ColorComboBox")->isVisible());
    EXPECT_EQ(empty.GetCount(), 0);
}

TEST(ColorValue, SettingsColoursAreBlueGreenRed) {
    EXPECT_EQ(ToQColor(16711680), QColor(Qt::blue));
    EXPECT_EQ(ToQColor(255), QColor(Qt::red));
    EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
}

} // namespace
