#pragma once
// "Свойства отчёта": who tested what, as the reports print it at their head, edited on a copy
// that the project takes only when the dialog is accepted.

#include "TVerdictTable.h"

#include <QDialog>

#include <vector>

class QLineEdit;

class TReportHeaderDialog : public QDialog {
    Q_OBJECT
public:
    explicit TReportHeaderDialog(const TReportHeader& header, QWidget* parent = nullptr);

    // A field per line of the header, in the order of ReportHeaderFields().
    std::vector<QLineEdit*> Edits;

    TReportHeader Header() const; // as the fields read now, each trimmed
};
