#include "tTrcT_Unknown.h"

#include "FileHead.h"
#include "SsmFile.h"

std::uint8_t tTrcT_Unknown::Identify(tTrc__File_identifier& id) const {
    // The catalogue reads the head while listing; the recogniser and the version reader share it.
    if (!headRead(id) && !readFileHead(id))
        return CannotOpen;
    // A title of a known version in a file too short for its blocks stays unrecognised.
    if (ssm::tracebuilderVersion(id.headerBytes(), id.fileSize) == ssm::Version::Unknown)
        return Ok;
    const tTrcT& reader = ForTitle(id.magic);
    if (&reader != this) {
        id.reader = &reader;
        reader.Identify(id);
    }
    return Ok;
}
