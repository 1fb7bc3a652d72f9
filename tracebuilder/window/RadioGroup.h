#pragma once
// A framed group of radio buttons with a title, the first item selected at start.

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class RadioGroup : public QGroupBox {
public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    QButtonGroup* items() { return &items_; }
    // The selected item, 0 for the first.
    int ItemIndex() const;

private:
    QButtonGroup items_;
};
