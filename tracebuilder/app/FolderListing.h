#pragma once
// A folder opened once for listing: its *.ssm entries, and their files opened relative to it
// so that the folder's own path is not walked again for every file.

#include <QString>

#include "PlatformFiles.h"

#include <vector>

class FolderListing {
public:
    explicit FolderListing(const QString& folder);
    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    struct Entry {
        QString name; // bare name
        bool folder;  // a folder named like a measurement file
    };
    // The *.ssm entries (any letter case, whatever they are), sorted by name regardless of case;
    // empty when the folder cannot be read.
    std::vector<Entry> measurementEntries() const;
    // The folder, for opening its files.
    const platform::Folder& descriptor() const { return folder_; }

private:
    platform::Folder folder_;
};
