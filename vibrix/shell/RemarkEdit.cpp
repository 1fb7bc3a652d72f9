#include "RemarkEdit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextDocument>

namespace {

constexpr int kLines = 2;

QString oneLine(QString text) {
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]+"));
    return text.replace(breaks, QStringLiteral(" "));
}

} // namespace

TRemarkEdit::TRemarkEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TRemarkEdit::setText(const QString& text) {
    if (text != toPlainText())
        setPlainText(text);
}

QSize TRemarkEdit::sizeHint() const {
    const QMargins m = contentsMargins();
    const int height =
        kLines * fontMetrics().lineSpacing() + 2 * int(document()->documentMargin()) + m.top() + m.bottom();
    return {QPlainTextEdit::sizeHint().width(), height};
}

QSize TRemarkEdit::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 12, sizeHint().height()};
}

void TRemarkEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit editingFinished(); // the remark is one line: Enter takes it
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TRemarkEdit::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) // its own context menu, say: the edit goes on
        emit editingFinished();
}

void TRemarkEdit::insertFromMimeData(const QMimeData* source) {
    if (source->hasText())
        insertPlainText(oneLine(source->text()));
}
