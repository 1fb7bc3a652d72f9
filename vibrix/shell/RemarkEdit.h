#pragma once
// The remark of a pile: one line of text, as the project keeps it and the reports print it, shown
// on two lines so that a longer remark reads whole. Enter ends the edit rather than breaking the
// line; text pasted with line breaks comes in with spaces for them.

#include <QPlainTextEdit>

class TRemarkEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TRemarkEdit(QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    // Writes the text only where it differs: the cursor stays where the engineer left it.
    void setText(const QString& text);

    QSize sizeHint() const override;
    // Its two lines high, and as narrow as a few words: the panel it stands in stays narrow.
    QSize minimumSizeHint() const override;

signals:
    // Enter pressed or the focus gone: what is typed is the remark now.
    void editingFinished();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};
