#pragma once
// The velocity edits while the depths follow the files' velocities: each edit tells the velocity
// its pictures are drawn with, and takes no typing, instead of the number it holds for the time
// the box is cleared again.

#include <QLineEdit>
#include <QList>

#include <span>

#include "tAppInt.h"

class VelocityFields {
public:
    // `single`: the edit of the single view; `traces`: the edits of the trace tabs.
    VelocityFields(const tAppInt& app, QLineEdit* single, QList<QLineEdit*> traces);

    // Shows the velocities of the channel on show (null: none) and of the built columns; once the
    // box is cleared the edits hold the typed velocity again and take typing.
    void Show(const tTrc__Data* single, std::span<const float> built);

private:
    void Put(QLineEdit* edit, const QString& text) const;

    const tAppInt& app_;
    QLineEdit* single_;
    QList<QLineEdit*> traces_;
    int numberWidth_;
    bool fromFiles_ = false; // what the edits show now
};
