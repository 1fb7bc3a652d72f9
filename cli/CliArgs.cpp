#include "CliArgs.h"
#include "PlatformStart.h"

#include <cstdio>

namespace cli {

QStringList Args::values(const QString& name) const {
    QStringList out;
    for (const auto& [option, value] : given)
        if (option == name)
            out << value;
    return out;
}

Args parseArgs(const QStringList& argv, const QStringList& valueOptions, const QStringList& flags) {
    Args a;
    for (int i = 1; i < argv.size(); ++i) {
        const QString& w = argv[i];
        if (w == "--help" || w == "-h") {
            a.help = true;
        } else if (w.startsWith("--")) {
            const QString name = w.mid(2);
            if (flags.contains(name)) {
                a.options.insert(name, QString());
                a.given.append({name, QString()});
                continue;
            }
            if (name != "locale" && !valueOptions.contains(name)) {
                a.error = QString("неизвестный параметр %1").arg(w);
                return a;
            }
            if (i + 1 >= argv.size()) {
                a.error = QString("у параметра %1 нет значения").arg(w);
                return a;
            }
            a.options.insert(name, argv[++i]);
            a.given.append({name, argv[i]});
        } else if (a.command.isEmpty()) {
            a.command = w;
        } else {
            a.positional << w;
        }
    }
    return a;
}

int dispatch(const QStringList& argv, const char* usage, const std::vector<Command>& commands) {
    QStringList valueOptions, flags;
    for (const Command& c : commands) {
        valueOptions << c.options;
        flags << c.flags;
    }
    const Args a = parseArgs(argv, valueOptions, flags);
    if (a.help) {
        std::fputs(usage, stdout);
        return Ok;
    }
    if (!a.error.isEmpty())
        return usageError(usage, a.error);
    if (!applyLocale(a.value("locale")))
        return usageError(usage,
                          QStringLiteral("неизвестные региональные настройки: %1").arg(a.value("locale")));
    if (a.command.isEmpty())
        return usageError(usage, QStringLiteral("не указана команда"));
    for (const Command& c : commands) {
        if (c.name != a.command)
            continue;
        for (const QString& option : a.options.keys())
            if (option != "locale" && !c.options.contains(option) && !c.flags.contains(option))
                return usageError(usage,
                                  QStringLiteral("параметр --%1 не для команды %2").arg(option, c.name));
        return c.run(a);
    }
    return usageError(usage, QStringLiteral("неизвестная команда %1").arg(a.command));
}

bool applyLocale(const QString& name) {
    if (name.isEmpty())
        return true;
    const QLocale locale(name);
    // QLocale falls back to "C" for names it does not know; only "C" itself may map there.
    if (locale.language() == QLocale::C && name != "C" && name != "POSIX")
        return false;
    QLocale::setDefault(locale);
    return true;
}

std::optional<double> parseNumber(const QString& text) {
    QString t = text.trimmed();
    t.replace(',', '.');
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<int> parseInteger(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

int usageError(const QString& usage, const QString& message) {
    if (!message.isEmpty())
        std::fprintf(stderr, "Ошибка: %s\n", message.toUtf8().constData());
    std::fprintf(stderr, "%s", usage.toUtf8().constData());
    return UsageError;
}

int ioError(const QString& file, const QString& reason) {
    std::fprintf(stderr, "Ошибка: %s: %s\n", file.toUtf8().constData(), reason.toUtf8().constData());
    return IoError;
}

void prepareHeadlessGui() {
    platform::PrepareWindowlessGui();
    platform::UseUtf8StandardStreams();
}

void printLine(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

} // namespace cli
