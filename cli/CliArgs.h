#pragma once
// Command-line parsing shared by the batch tools: a command word, positional arguments and
// "--name value" options from a fixed list, plus --help and --locale.

#include <QLocale>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace cli {

// Exit statuses of both tools.
enum ExitCode { Ok = 0, UsageError = 1, IoError = 2 };

struct Args {
    QString command;
    QStringList positional;
    QMap<QString, QString> options;       // without the leading "--"; a flag has an empty value
    QList<QPair<QString, QString>> given; // every option in command-line order, repeats included
    bool help = false;
    QString error; // not empty: the command line is not usable

    bool has(const QString& name) const { return options.contains(name); }
    QString value(const QString& name) const { return options.value(name); } // the last one given
    QStringList values(const QString& name) const;                           // each one given, in order
};

// Splits argv. `valueOptions` lists the options that take a value, `flags` those that take none
// (both without "--").
Args parseArgs(const QStringList& argv, const QStringList& valueOptions, const QStringList& flags = {});

// One command of a tool: its word, the options it takes and what runs it, and its flags.
struct Command {
    QString name;
    QStringList options;
    std::function<int(const Args&)> run;
    QStringList flags = {};
};

// Parses argv, answers --help, sets the locale, checks that every option given belongs to the
// command, and runs the command. Returns the exit status.
int dispatch(const QStringList& argv, const char* usage, const std::vector<Command>& commands);

// Makes `name` (for example "ru_RU" or "C") the locale of every number written; an empty
// name keeps the user's locale. Returns false for a name Qt does not know.
bool applyLocale(const QString& name);

// A number typed on the command line: both "0.5" and "0,5" are accepted.
std::optional<double> parseNumber(const QString& text);
std::optional<int> parseInteger(const QString& text);

// Messages on standard error and the usage text; each returns the exit status to use.
int usageError(const QString& usage, const QString& message);
int ioError(const QString& file, const QString& reason);

// Prepares a windowless GUI application (the platform plugin of a program without windows), and
// standard output and error that carry exactly the bytes written, in UTF-8.
void prepareHeadlessGui();

// Writes a line to standard output in UTF-8.
void printLine(const QString& line);

} // namespace cli
