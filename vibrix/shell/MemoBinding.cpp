#include "MemoBinding.h"

#include <QEvent>
#include <QPlainTextEdit>

TMemoBinding::TMemoBinding(QPlainTextEdit* memo, vxds::DataTable& table, const QString& field,
                           THandlerRunner run, std::function<void()> onExit)
    : QObject(memo), memo_(memo), table_(table), field_(field), run_(std::move(run)),
      onExit_(std::move(onExit)) {
    table_.addObserver(this);
    memo_->installEventFilter(this);
    connect(memo_, &QPlainTextEdit::textChanged, this, &TMemoBinding::textEdited);
    Refresh();
}

TMemoBinding::~TMemoBinding() {
    table_.removeObserver(this);
}

void TMemoBinding::Refresh() {
    const bool hasRow = table_.active() && !table_.isEmpty();
    const QString text = hasRow ? vxds::asText(table_.value(field_)) : QString();
    if (memo_->toPlainText() == text)
        return;
    showing_ = true;
    memo_->setPlainText(text);
    showing_ = false;
}

void TMemoBinding::textEdited() {
    if (showing_)
        return;
    run_([this] {
        if (!table_.active() || table_.isEmpty()) {
            Refresh(); // nothing to edit: the memo stays empty
            return;
        }
        if (table_.state() == vxds::DataTable::State::Browse)
            table_.edit();
        table_.setValue(field_, memo_->toPlainText());
    });
}

bool TMemoBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memo_ && event->type() == QEvent::FocusOut && onExit_)
        run_(onExit_);
    return false;
}
