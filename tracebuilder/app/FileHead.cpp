#include "FileHead.h"

#include <algorithm>

#include "PlatformPath.h"
#include "SsmFile.h"

namespace {

// Reads the head of the opened file into the identifier: what could be read, up to the header's size.
void readOpenedHead(tTrc__File_identifier& id, const platform::InputFile& file) {
    id.header.fill(0);
    std::size_t done = 0;
    FileFailure why;
    file.readAt(0, std::span(id.header), done, why);
    id.headerSize = std::uint16_t(done);
    id.fileSize = file.size();
    id.lastWriteMsecs = file.lastWriteMsecs();
    id.headRead = true;
    std::copy_n(id.header.begin(), id.magic.size(), id.magic.begin()); // zeros past a short file's end
}

} // namespace

bool readFileHead(tTrc__File_identifier& id) {
    // Only regular files: a pipe named *.ssm would block the listing.
    platform::InputFile file;
    FileFailure why;
    if (!file.open(id.path(), why))
        return false;
    readOpenedHead(id, file);
    return true;
}

bool readFileHead(tTrc__File_identifier& id, const platform::Folder& folder) {
    platform::InputFile file;
    FileFailure why;
    if (!folder.openFile(platform::FsPath(id.fileName), file, why))
        return false;
    readOpenedHead(id, file);
    return true;
}

void readFolderHead(tTrc__File_identifier& id, const platform::Folder& folder) {
    platform::FolderEntry info;
    if (!folder.entry(platform::FsPath(id.fileName), info))
        return;
    id.header.fill(0);
    id.headerSize = 0;
    id.fileSize = 0;
    id.lastWriteMsecs = info.lastWriteMsecs;
    id.headRead = true;
}
