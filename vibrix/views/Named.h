#pragma once
// A control gets its given name as objectName, so that tests and the layout find it.

#include <QString>

template <typename T> T* Named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}
