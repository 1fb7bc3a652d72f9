#pragma once
// Runs a built command-line tool and collects what it printed.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ToolResult {
    int exitCode = -1;
    QString out;
    QString err;
};

inline ToolResult runTool(const QString& program, const QStringList& args,
                          const QList<QPair<QString, QString>>& extraEnv = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : extraEnv)
        env.insert(name, value);
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(120000);
    ToolResult r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
