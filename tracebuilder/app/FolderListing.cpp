#include "FolderListing.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isFolder(int folderFd, const dirent& entry) {
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return false;
    struct stat info {};
    return ::fstatat(folderFd, entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

FolderListing::FolderListing(const QString& folder)
    : fd_(::open(folder.toUtf8().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

FolderListing::~FolderListing() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::vector<FolderListing::Entry> FolderListing::measurementEntries() const {
    if (fd_ < 0)
        return {};
    // The stream gets a descriptor of its own, so that ours stays open for the files.
    DIR* dir = ::fdopendir(::dup(fd_));
    if (!dir)
        return {};
    std::vector<std::pair<QString, Entry>> found; // case-folded key, entry
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QString::fromUtf8(entry->d_name);
        if (name.endsWith(QStringLiteral(".ssm"), Qt::CaseInsensitive))
            found.push_back({name.toCaseFolded(), Entry{name, isFolder(fd_, *entry)}});
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first < b.first || (a.first == b.first && a.second.name < b.second.name);
    });
    std::vector<Entry> entries;
    entries.reserve(found.size());
    for (auto& [key, entry] : found)
        entries.push_back(std::move(entry));
    return entries;
}
