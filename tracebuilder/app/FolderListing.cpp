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

QStringList FolderListing::measurementFileNames() const {
    if (fd_ < 0)
        return {};
    // The stream gets a descriptor of its own, so that ours stays open for the files.
    DIR* dir = ::fdopendir(::dup(fd_));
    if (!dir)
        return {};
    std::vector<std::pair<QString, QString>> found; // case-folded key, name
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QString::fromUtf8(entry->d_name);
        if (name.endsWith(QStringLiteral(".ssm"), Qt::CaseInsensitive) && !isFolder(fd_, *entry))
            found.emplace_back(name.toCaseFolded(), name);
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end());
    QStringList names;
    names.reserve(qsizetype(found.size()));
    for (auto& [key, name] : found)
        names.append(std::move(name));
    return names;
}
