#pragma once
// Where vibrix keeps its files: the program's folder (help beside it, and the settings and the
// "projects" folder when the user may write there), and the user's own folders for a program
// installed for everyone. Tests hand in folders of their own.

#include <QString>

struct TProgramPlaces {
    QString ProgramDir;   // folder of the program file
    QString ConfigDir;    // the user's configuration folder (on Windows %APPDATA%\Vibrix4)
    QString DocumentsDir; // the user's documents
    QString RuntimeDir;   // the user's runtime folder (the single-instance lock)

    static TProgramPlaces FromSystem();

    // False for a copy installed for everyone (its folder holds the installation's mark): its
    // settings and projects then always go to the user's folders, even for an administrator.
    bool Portable() const;

    // vibrix.ini beside the program when that file or its folder may be written, otherwise
    // vibrix.ini in the user's configuration folder.
    QString SettingsFile() const;
    // The default project folder, created if needed: "projects" beside the program when it can
    // be written there, otherwise a folder in the user's documents. Ends in a separator.
    // Throws std::runtime_error naming the folder when none can be created.
    QString CreateProjectDir() const;
    QString HelpFile() const; // vibrix.pdf beside the program
    QString LockFile() const;
};

// True when a new file can be made in `dir` (tried, not guessed from permission bits, which
// say nothing for an administrator or a read-only mount).
bool CanWriteInFolder(const QString& dir);
