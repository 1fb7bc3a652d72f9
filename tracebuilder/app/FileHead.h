#pragma once
// Reads the start of a measurement file into its identifier, once per listing.

#include "tTrc__File_identifier.h"

// Fills the identifier's header (up to 120 bytes), magic, file size and last-write time.
// False when the file cannot be opened or is a folder; the identifier then stays as it was.
bool readFileHead(tTrc__File_identifier& id);
// The same for a file of the folder open as `folderFd`.
bool readFileHead(tTrc__File_identifier& id, int folderFd);

// The head has been read into the identifier.
inline bool headRead(const tTrc__File_identifier& id) {
    return id.lastWriteMsecs >= 0;
}
