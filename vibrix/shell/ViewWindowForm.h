#pragma once
// The question of the view window: how many milliseconds of the record the time view shows and
// to what depth the spectrum against depth runs.

#include <QDialog>

class QDoubleSpinBox;

class TViewWindowForm : public QDialog {
    Q_OBJECT
public:
    TViewWindowForm(double timeWindow, double depthWindow, QWidget* parent = nullptr);

    QDoubleSpinBox* TimeWindowEdit;  // ms
    QDoubleSpinBox* DepthWindowEdit; // m

    double TimeWindow() const;
    double DepthWindow() const;
};
