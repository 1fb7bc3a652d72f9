#pragma once
// The programs' own icons on their windows: the sizes the build renders of the same drawings the
// desktop's menu and the executables' icon resources show.

#include <QIcon>
#include <QString>

// Every size held of the icon named `id` ("ru.vibrix4.Vibrix", "ru.vibrix4.TraceBuilder").
QIcon programIcon(const QString& id);
