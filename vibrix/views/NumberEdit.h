#pragma once
// An edit for a number that takes effect on Enter: only digits, the decimal separator (typed
// as '.' or ',') and Backspace pass among the typed characters; editing keys, the clipboard
// and focus keys work as usual.

#include <QLineEdit>

class TNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNumberEdit(const QString& name, QWidget* parent = nullptr);

signals:
    void entered(); // Enter or Return

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
