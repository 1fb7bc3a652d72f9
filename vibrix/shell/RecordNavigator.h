#pragma once
// The navigator under the record grid: first, prior, next, last, delete (after the question the
// window asks) and post.

#include "Guarded.h"
#include "MainDataModuleUnit.h"

#include <QWidget>

class QToolButton;

class TRecordNavigator : public QWidget {
    Q_OBJECT
public:
    TRecordNavigator(TMainDataModule& dm, THandlerRunner run, QWidget* parent = nullptr);

    QToolButton *nbFirst, *nbPrior, *nbNext, *nbLast, *nbDelete, *nbPost;
    std::function<bool()> ConfirmDelete; // true: the current record goes; unset: it goes at once

    // Buttons enabled by where the current row is and whether an edit is pending.
    void UpdateButtons();

private:
    QToolButton* button(const QString& name, const QString& text, const QString& hint,
                        const std::function<void(vxds::DataTable&)>& act);

    TMainDataModule& dm_;
    THandlerRunner run_;
};
