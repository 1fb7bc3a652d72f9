#include "ViewWindowForm.h"

#include "Named.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

namespace {

QDoubleSpinBox* lengthEdit(QWidget* parent, const QString& name, double value, const QString& unit) {
    auto* edit = Named(new QDoubleSpinBox(parent), name);
    edit->setDecimals(1);
    edit->setRange(0.1, 100000);
    edit->setSuffix(QLatin1Char(' ') + unit);
    edit->setValue(value);
    return edit;
}

} // namespace

TViewWindowForm::TViewWindowForm(double timeWindow, double depthWindow, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ViewWindowForm"));
    setWindowTitle(QStringLiteral("Окно просмотра"));
    TimeWindowEdit = lengthEdit(this, QStringLiteral("TimeWindowEdit"), timeWindow, QStringLiteral("мс"));
    DepthWindowEdit = lengthEdit(this, QStringLiteral("DepthWindowEdit"), depthWindow, QStringLiteral("м"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Сигнал: от 0 до"), TimeWindowEdit);
    layout->addRow(QStringLiteral("Спектр по глубине: от 0 до"), DepthWindowEdit);
    layout->addRow(buttons);
}

double TViewWindowForm::TimeWindow() const {
    return TimeWindowEdit->value();
}

double TViewWindowForm::DepthWindow() const {
    return DepthWindowEdit->value();
}
