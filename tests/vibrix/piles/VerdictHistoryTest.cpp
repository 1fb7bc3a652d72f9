// The steps back and forward through the verdict edits of the pile page.
#include "TVerdictHistory.h"

#include <gtest/gtest.h>

TEST(VerdictHistory, StepsBackAndForwardAndANewEditDropsTheStepsUndone) {
    TVerdictHistory history;
    TPileVerdict none;
    TPileVerdict classed = none;
    classed.cls = "III";
    TPileVerdict marked = classed;
    marked.defects.push_back({2.5, QStringLiteral("трещина")});
    TPileVerdict slow;
    slow.speed = 3600;

    history.Record({1, 3}, none, classed);
    history.Record({1, 3}, classed, classed); // nothing changed: no step
    history.Record({1, 3}, classed, marked);
    history.Record({2, 7}, none, slow);
    EXPECT_EQ(history.UndoText(), QStringLiteral("скорость сваи 2-7"));
    EXPECT_FALSE(history.CanRedo());

    std::optional<TVerdictStep> step = history.Undo();
    ASSERT_TRUE(step);
    EXPECT_EQ(step->key, (TPileKey{2, 7}));
    EXPECT_EQ(step->before, none);
    step = history.Undo();
    ASSERT_TRUE(step);
    EXPECT_EQ(step->before, classed);
    EXPECT_EQ(history.UndoText(), QStringLiteral("класс сваи 1-3"));
    EXPECT_EQ(history.RedoText(), QStringLiteral("отметки сваи 1-3"));

    step = history.Redo();
    ASSERT_TRUE(step);
    EXPECT_EQ(step->after, marked);
    EXPECT_EQ(history.RedoText(), QStringLiteral("скорость сваи 2-7"));

    TPileVerdict remarked = marked;
    remarked.remark = QStringLiteral("проверить");
    history.Record({1, 3}, marked, remarked); // the speed of 2-7 can no longer be redone
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoText(), QStringLiteral("примечание сваи 1-3"));
    EXPECT_TRUE(history.Undo() && history.Undo() && history.Undo());
    EXPECT_FALSE(history.Undo());

    history.Clear();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoText(), QString());
}
