#include "tFLF.h"

#include <QKeyEvent>

#include "FieldColour.h"
#include "tTrcFiles.h"

namespace {

// A typed number, or -1 (any) when the text is not an integer; kept as 16 bits, so 65535 means any too.
std::int16_t filterNumber(const QLineEdit* edit) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? std::int16_t(value) : std::int16_t(-1);
}

} // namespace

tFLF::tFLF(QCheckBox* onOff, QLineEdit* siteEdit, QLineEdit* pileEdit, QCheckBox* channel1,
           QCheckBox* channel2, QObject* parent)
    : QObject(parent) {
    if (!onOff || !siteEdit || !pileEdit || !channel1 || !channel2)
        return;
    switch_ = onOff;
    siteEdit_ = siteEdit;
    pileEdit_ = pileEdit;
    channel1_ = channel1;
    channel2_ = channel2;
    switch_->setChecked(false);
    connect(switch_, &QCheckBox::clicked, this, &tFLF::SwitchClick);
    connect(channel1_, &QCheckBox::clicked, this, [this] { ChannelClick(channel1_); });
    connect(channel2_, &QCheckBox::clicked, this, [this] { ChannelClick(channel2_); });
    siteEdit_->installEventFilter(this);
    pileEdit_->installEventFilter(this);
    setFieldEnabled(siteEdit_, false);
    setFieldEnabled(pileEdit_, false);
    channel1_->setEnabled(false);
    channel2_->setEnabled(false);
    wantChannel1 = channel1_->isChecked();
    wantChannel2 = channel2_->isChecked();
}

bool tFLF::Accepts(const tTrc__File_identifier& id) {
    if (id.reader == &tTrcT::Unknown())
        return false;
    if (inert() || !switch_->isChecked()) {
        active = false;
        return true;
    }
    active = true;
    siteFilter = filterNumber(siteEdit_);
    pileFilter = filterNumber(pileEdit_);
    wantChannel1 = channel1_->isChecked();
    wantChannel2 = channel2_->isChecked();
    if (siteFilter != -1 && std::uint16_t(siteFilter) != id.siteNumber)
        return false;
    return pileFilter == -1 || std::uint16_t(pileFilter) == id.pileNumber;
}

void tFLF::SwitchClick() {
    const bool on = switch_->isChecked();
    setFieldEnabled(siteEdit_, on);
    setFieldEnabled(pileEdit_, on);
    if (on) {
        siteFilter = filterNumber(siteEdit_);
        pileFilter = filterNumber(pileEdit_);
    }
    channel1_->setEnabled(on);
    channel2_->setEnabled(on);
    Rebuild();
}

void tFLF::ChannelClick(QCheckBox* box) {
    (box == channel1_ ? wantChannel1 : wantChannel2) = box->isChecked();
    Rebuild();
}

void tFLF::NumberEnter(QLineEdit* edit, std::int16_t& number) {
    const std::int16_t typed = filterNumber(edit);
    if (typed == number)
        return;
    number = typed;
    Rebuild();
}

bool tFLF::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            NumberEnter(static_cast<QLineEdit*>(watched), watched == siteEdit_ ? siteFilter : pileFilter);
    }
    return false;
}

void tFLF::Rebuild() {
    if (!catalogue_)
        return;
    catalogue_->Refilter();
}
