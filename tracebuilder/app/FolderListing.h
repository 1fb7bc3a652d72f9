#pragma once
// A folder opened once for listing: its *.ssm entries, and their files opened relative to it
// so that the folder's own path is not walked again for every file.

#include <QString>
#include <QStringList>

class FolderListing {
public:
    explicit FolderListing(const QString& folder);
    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    // Bare names of the *.ssm files (any letter case, folders left out), sorted by name
    // regardless of case; empty when the folder cannot be read.
    QStringList measurementFileNames() const;
    // Descriptor of the folder for opening its files; -1 when it could not be opened.
    int descriptor() const { return fd_; }

private:
    int fd_;
};
