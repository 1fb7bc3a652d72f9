#include "VelocityFields.h"

#include <algorithm>

#include "NumberText.h"
#include "VelocityText.h"

VelocityFields::VelocityFields(const tAppInt& app, QLineEdit* single, QList<QLineEdit*> traces)
    : app_(app), single_(single), traces_(std::move(traces)), numberWidth_(single->minimumWidth()) {}

void VelocityFields::Show(const tTrc__Data* single, std::span<const float> built) {
    if (!app_.velocityFromFiles && !fromFiles_)
        return; // the edits are the user's: a text half typed stays
    fromFiles_ = app_.velocityFromFiles;
    const float singleVelocity = single ? single->waveVelocity : 0.0f;
    Put(single_, VelocityText(app_, single ? std::span(&singleVelocity, 1) : std::span<const float>()));
    const QString traces = VelocityText(app_, built);
    for (QLineEdit* edit : traces_)
        Put(edit, traces);
}

void VelocityFields::Put(QLineEdit* edit, const QString& text) const {
    const QString shown = fromFiles_ ? text : generalFloatText(app_.velocity);
    if (edit->text() != shown)
        edit->setText(shown);
    edit->setReadOnly(fromFiles_);
    edit->setToolTip(
        fromFiles_ ? QStringLiteral("Скорость из файлов; снимите галочку «из файлов», чтобы ввести свою")
                   : QString());
    const int width = edit->fontMetrics().horizontalAdvance(shown) + 14;
    edit->setFixedWidth(fromFiles_ ? std::max(numberWidth_, width) : numberWidth_);
}
