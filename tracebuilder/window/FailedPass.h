#pragma once
// The state of a job that runs again and again: a trace server's pass at every timer tick. A
// pass that failed is not run again, nor is its failure shown again, until something it reads
// has changed: with the same values it could only fail the same way, at the cost of a whole
// recomputation at every tick. Its marks stay, so it runs at the first tick after the change.

#include <QByteArray>

#include <optional>

class FailedPass {
public:
    // False after a failure as long as the pass would read what it read then.
    bool Due(const QByteArray& inputs) const { return !failedWith_ || *failedWith_ != inputs; }
    void Failed(const QByteArray& inputs) { failedWith_ = inputs; }
    void Reset() { failedWith_.reset(); }

private:
    std::optional<QByteArray> failedWith_;
};
