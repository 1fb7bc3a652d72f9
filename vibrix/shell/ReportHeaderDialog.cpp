#include "ReportHeaderDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

TReportHeaderDialog::TReportHeaderDialog(const TReportHeader& header, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ReportHeaderDialog"));
    setWindowTitle(QStringLiteral("Свойства отчёта"));
    auto* layout = new QFormLayout(this);
    for (const TReportHeaderField& f : ReportHeaderFields()) {
        auto* edit = new QLineEdit(header.*f.field, this);
        edit->setObjectName(QStringLiteral("HeaderEdit_") + QLatin1String(f.key));
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 50);
        layout->addRow(f.name + QLatin1Char(':'), edit);
        Edits.push_back(edit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

TReportHeader TReportHeaderDialog::Header() const {
    TReportHeader h;
    const std::vector<TReportHeaderField>& fields = ReportHeaderFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        h.*fields[i].field = Edits[i]->text().trimmed();
    return h;
}
