#include "tTrcT_Unknown.h"

#include "FileHead.h"
#include "SsmFile.h"

std::uint8_t tTrcT_Unknown::Identify(tTrc__File_identifier& id) const {
    if (!readFileHead(id))
        return CannotOpen;
    // A title of a known version in a file too short for its blocks stays unrecognised.
    if (ssm::tracebuilderVersion(id.header, id.fileSize) == ssm::Version::Unknown)
        return Ok;
    const tTrcT& reader = ForTitle(id.magic);
    if (&reader != this) {
        id.reader = &reader;
        reader.Identify(id);
    }
    return Ok;
}
