#pragma once
// Rules of the number edits (gain, velocity): which keys pass and which values are taken.

#include <QChar>
#include <QLocale>
#include <QString>

// The character a typed key puts into the edit, or a null QChar when the key is discarded.
// Backspace ('\b'), Enter ('\r'), digits and the decimal separator pass; '.' and ',' become
// the locale's separator. No sign, no exponent.
QChar FilterNumberKey(QChar key, const QLocale& locale = QLocale());

// The edit's number; a text that does not convert to a finite number yields the value in force.
double EditValue(const QString& text, double inForce, const QLocale& locale = QLocale());

struct EditOutcome {
    bool Accepted = false; // the value becomes the one in force
    double Value = 0;      // the value in force afterwards
    QString Text;          // what the edit shows afterwards
};

// Enter in the gain edit: values >= 0 are taken, others restore the text ("0.000").
EditOutcome AcceptGain(const QString& text, double gainInForce);
// Enter in a velocity edit: values >= 1000 m/s are taken, others restore the text ("0.0").
EditOutcome AcceptVelocity(const QString& text, double velocityInForce);
