#pragma once
// Axis labels in a picture pattern ("#,##0.00") of the user's locale, as every number of the
// program is shown.

#include <QString>

class QCPAxis;

void SetAxisPattern(QCPAxis* axis, const QString& pattern);
