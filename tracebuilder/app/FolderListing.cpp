#include "FolderListing.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "PlatformPath.h"

FolderListing::FolderListing(const QString& folder) : folder_(platform::FsPath(folder)) {}

FolderListing::~FolderListing() = default;

std::vector<FolderListing::Entry> FolderListing::measurementEntries() const {
    std::vector<std::pair<QString, Entry>> found; // case-folded key, entry
    for (const platform::FolderEntry& entry : folder_.entries(platform::Folder::Times::NotWanted)) {
        const QString name = platform::QtPath(entry.name);
        if (name.endsWith(QStringLiteral(".ssm"), Qt::CaseInsensitive))
            found.push_back({name.toCaseFolded(), Entry{name, entry.folder}});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first < b.first || (a.first == b.first && a.second.name < b.second.name);
    });
    std::vector<Entry> entries;
    entries.reserve(found.size());
    for (auto& [key, entry] : found)
        entries.push_back(std::move(entry));
    return entries;
}
