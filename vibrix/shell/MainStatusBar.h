#pragma once
// The main window's status bar: the long hint of the control under the mouse, the channel
// colour markers with "1", "2" and "M" beside them, and where the record grid stands.

#include "DisplayFlags.h"

#include <QStatusBar>

class QFrame;
class QLabel;

class TMainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TMainStatusBar(QWidget* parent = nullptr);

    QLabel* HintPanel;   // panel 0
    QLabel* ColorPanel;  // panel 1
    QLabel* RecordPanel; // panel 2: "Запись n из N"
    std::array<QFrame*, 3> ColorMarkers;

    void ShowHint(const QString& hint);
    void ShowColors(const std::array<TColor, 3>& colors);
    // Record `number` (from 1) of `count`; nothing while there is no record.
    void ShowRecordNumber(int number, int count);
};
