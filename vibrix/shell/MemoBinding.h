#pragma once
// A memo bound to a text field of a table's current row: it shows the field, and typing puts
// the table into edit with the new text (the change counter rises through the table's
// events). The pending text is posted by the owner: on leaving the memo, before a row change,
// a save or a close.

#include "DataTable.h"
#include "Guarded.h"
#include "TableObserver.h"

#include <QObject>

#include <functional>

class QPlainTextEdit;

class TMemoBinding : public QObject, private vxds::TableObserver {
    Q_OBJECT
public:
    // Typed changes and onExit (the memo lost the focus) run through `run`.
    TMemoBinding(QPlainTextEdit* memo, vxds::DataTable& table, const QString& field, THandlerRunner run,
                 std::function<void()> onExit);
    ~TMemoBinding() override;

    // The memo shows the field of the current row again.
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void textEdited();
    // The current row settles after an insert or a delete, and says so.
    void rowInserted(int) override {}
    void rowRemoved(int) override {}
    void rowChanged(int) override { Refresh(); }
    void tableReset() override { Refresh(); }
    void currentChanged(int) override { Refresh(); }

    QPlainTextEdit* memo_;
    vxds::DataTable& table_;
    QString field_;
    THandlerRunner run_;
    std::function<void()> onExit_;
    bool showing_ = false;
};
