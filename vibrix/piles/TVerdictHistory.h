#pragma once
// The verdict edits of the "Сваи" page since the project was last saved, opened or cancelled, for
// stepping back and forward through them: each edit is the pile's verdict before and after it.

#include "TPileVerdict.h"
#include "TProjectPiles.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

struct TVerdictStep {
    TPileKey key;
    TPileVerdict before;
    TPileVerdict after;
};

class TVerdictHistory {
public:
    // An edit made: the steps undone before it cannot be redone any more. No step when nothing changed.
    void Record(TPileKey key, const TPileVerdict& before, const TPileVerdict& after);
    // The step to undo next (its verdict `before` is the one to store), and the history moved back past it.
    std::optional<TVerdictStep> Undo();
    // The step to redo next (its verdict `after` is the one to store), and the history moved past it.
    std::optional<TVerdictStep> Redo();
    void Clear();

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // What the next step back and forward change, as the buttons say it ("класс сваи 1-3"); "" when none.
    QString UndoText() const;
    QString RedoText() const;

private:
    std::vector<TVerdictStep> steps_;
    std::size_t done_ = 0; // the steps before this one are in force
};

// What an edit changed in a verdict, in words ("класс", "отметки", "скорость"…); "" when nothing.
QString VerdictChangeName(const TPileVerdict& before, const TPileVerdict& after);
