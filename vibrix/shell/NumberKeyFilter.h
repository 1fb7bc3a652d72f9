#pragma once
// The keys of a number edit: digits, Backspace, Enter and the decimal separator ("," and "."
// both type it); other typed characters are swallowed. Cursor keys, Delete and shortcuts such
// as pasting pass. Enter runs the edit's action.

#include <QObject>

#include <functional>

class QLineEdit;

class TNumberKeyFilter : public QObject {
public:
    // Installs itself on `edit`, which owns it.
    TNumberKeyFilter(QLineEdit* edit, std::function<void()> onEnter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* FEdit;
    std::function<void()> FOnEnter;
};
