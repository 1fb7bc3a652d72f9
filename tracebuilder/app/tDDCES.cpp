#include "tDDCES.h"

#include <algorithm>

#include <QKeyEvent>

tDDCES::DDCES_Item* tDDCES::find(const void* variable) {
    for (DDCES_Item& item : items_)
        if (item.variable == variable)
            return &item;
    return nullptr;
}

bool tDDCES::isBound(const QLineEdit* edit) const {
    for (const DDCES_Item& item : items_)
        for (const DDCES_Component& c : item.edits)
            if (c.edit == edit)
                return true;
    return false;
}

void tDDCES::AddEdit(const void* variable, QLineEdit* edit) {
    DDCES_Item* item = find(variable);
    if (!item || !edit || isBound(edit))
        return;
    item->edits.push_back({edit});
    ++item->editCount;
    item->toText(item->variable, edit);
    edit->installEventFilter(this);
}

void tDDCES::AddSyn(const void* variable, tSYN* marker) {
    if (DDCES_Item* item = find(variable); item && marker)
        item->syns.push_back(marker);
}

void tDDCES::OnEditKeyPress(QLineEdit* sender, int key) {
    if (key != 13 || items_.empty() || !sender || sender->isReadOnly()) // read-only: shows, takes nothing
        return;
    for (DDCES_Item& item : items_) {
        const auto hit = std::find_if(item.edits.begin(), item.edits.end(),
                                      [sender](const DDCES_Component& c) { return c.edit == sender; });
        if (hit == item.edits.end())
            continue;
        auto* const now = static_cast<std::uint8_t*>(item.variable);
        const std::vector<std::uint8_t> inForce(now, now + item.size);
        item.fromText(sender, item.variable); // raises before storing anything on a bad text
        if (const QString reason = item.check ? item.check(item.variable) : QString(); !reason.isEmpty()) {
            std::copy(inForce.begin(), inForce.end(), now);
            item.toText(item.variable, sender);
            emit valueRefused(reason);
            return;
        }
        if (item.snapshot.empty() || !std::equal(now, now + item.size, item.snapshot.begin())) {
            for (tSYN* marker : item.syns)
                marker->SetChanged();
            item.snapshot.assign(now, now + item.size);
        }
        for (const DDCES_Component& c : item.edits)
            if (c.edit && c.edit != sender)
                item.toText(item.variable, c.edit);
        return;
    }
}

bool tDDCES::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            try {
                OnEditKeyPress(qobject_cast<QLineEdit*>(watched), 13);
            } catch (const tConvertError& e) {
                emit errorRaised(QString::fromStdString(e.what()));
            }
        }
    }
    return false; // the key reaches the edit in every case
}
