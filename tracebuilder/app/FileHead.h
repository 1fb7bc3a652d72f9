#pragma once
// Reads the start of a measurement file into its identifier, once per listing.

#include "tTrc__File_identifier.h"

// Fills the identifier's header (up to 120 bytes), magic and file size.
// False when the file cannot be opened; the identifier then stays as it was.
bool readFileHead(tTrc__File_identifier& id);
