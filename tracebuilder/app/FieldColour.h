#pragma once
// Enables or disables an edit field and paints it in the matching background: the window
// colour when enabled, the grey of a scroll bar when disabled.

class QWidget;

void setFieldEnabled(QWidget* field, bool enabled);
