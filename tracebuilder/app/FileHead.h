#pragma once
// Reads the start of a measurement file into its identifier, once per listing.

#include "PlatformFiles.h"
#include "tTrc__File_identifier.h"

// Fills the identifier's header (up to 120 bytes), magic, file size and last-write time.
// False when the file cannot be opened or is not a regular file; the identifier then stays as it was.
bool readFileHead(tTrc__File_identifier& id);
// The same for a file of the opened folder.
bool readFileHead(tTrc__File_identifier& id, const platform::Folder& folder);
// A folder named like a measurement file: its last-write time and an empty head, without opening it,
// so that no reader ever takes it for a file.
void readFolderHead(tTrc__File_identifier& id, const platform::Folder& folder);

// The head has been read into the identifier.
inline bool headRead(const tTrc__File_identifier& id) {
    return id.headRead;
}
