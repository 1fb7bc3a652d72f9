#include "TVerdictHistory.h"

#include <QStringList>

namespace {

constexpr std::size_t kMaxSteps = 1000; // the oldest go first beyond this

QString stepText(const TVerdictStep& s) {
    return QStringLiteral("%1 сваи %2-%3")
        .arg(VerdictChangeName(s.before, s.after))
        .arg(s.key.site)
        .arg(s.key.pile);
}

bool proposalTaken(const TPileVerdict& before, const TPileVerdict& after) {
    const auto firstPassMarks = [](const TPileVerdict& v) {
        int n = 0;
        for (const TDefectMark& m : v.defects)
            n += m.firstPass ? 1 : 0;
        return n;
    };
    return (after.classFirstPass && !before.classFirstPass) || firstPassMarks(after) > firstPassMarks(before);
}

} // namespace

void TVerdictHistory::Record(TPileKey key, const TPileVerdict& before, const TPileVerdict& after) {
    if (before == after)
        return;
    steps_.resize(done_);
    steps_.push_back({key, before, after});
    if (steps_.size() > kMaxSteps)
        steps_.erase(steps_.begin());
    done_ = steps_.size();
}

std::optional<TVerdictStep> TVerdictHistory::Undo() {
    if (!CanUndo())
        return std::nullopt;
    return steps_[--done_];
}

std::optional<TVerdictStep> TVerdictHistory::Redo() {
    if (!CanRedo())
        return std::nullopt;
    return steps_[done_++];
}

void TVerdictHistory::Clear() {
    steps_.clear();
    done_ = 0;
}

QString TVerdictHistory::UndoText() const {
    return CanUndo() ? stepText(steps_[done_ - 1]) : QString();
}

QString TVerdictHistory::RedoText() const {
    return CanRedo() ? stepText(steps_[done_]) : QString();
}

QString VerdictChangeName(const TPileVerdict& before, const TPileVerdict& after) {
    if (proposalTaken(before, after))
        return QStringLiteral("предложение первого прохода");
    QStringList names;
    if (before.cls != after.cls || before.classFirstPass != after.classFirstPass)
        names << QStringLiteral("класс");
    if (before.toeTime != after.toeTime || before.toeRemoved != after.toeRemoved)
        names << QStringLiteral("подошва");
    if (before.defects != after.defects)
        names << QStringLiteral("отметки");
    if (before.speed != after.speed || before.speedChoice != after.speedChoice)
        names << QStringLiteral("скорость");
    if (before.length != after.length)
        names << QStringLiteral("длина");
    if (before.diameter != after.diameter)
        names << QStringLiteral("диаметр");
    if (before.processing.lowpass != after.processing.lowpass ||
        before.processing.lowpassOrder != after.processing.lowpassOrder)
        names << QStringLiteral("фильтр");
    if (before.processing.amplify != after.processing.amplify)
        names << QStringLiteral("усиление");
    if (before.processing.threshold != after.processing.threshold ||
        before.processing.bandLow != after.processing.bandLow ||
        before.processing.bandHigh != after.processing.bandHigh)
        names << QStringLiteral("обработка");
    if (before.excluded != after.excluded || before.included != after.included)
        names << QStringLiteral("удары");
    if (before.remark != after.remark)
        names << QStringLiteral("примечание");
    return names.join(QStringLiteral(", "));
}
