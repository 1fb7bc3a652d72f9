// The registry of file-type readers and the readers the program starts with.

#include "SsmFile.h"
#include "tTrcT.h"
#include "tTrcT4.h"
#include "tTrcT_Unknown.h"

#include <algorithm>

namespace {

std::vector<const tTrcT*>& registry() {
    static std::vector<const tTrcT*> readers;
    return readers;
}

const tTrcT_Unknown unknownReader;
const tTrcT4 reader1_0;
const tTrcT4_v1_1 reader1_1;
const tTrcT4_v1_2 reader1_2;

} // namespace

tTrcT::tTrcT(const char* magicText) : magic(magicText) {
    registry().push_back(this);
}

tTrcT::~tTrcT() {
    auto& readers = registry();
    readers.erase(std::remove(readers.begin(), readers.end(), this), readers.end());
}

const std::vector<const tTrcT*>& tTrcT::Registry() {
    return registry();
}

const tTrcT& tTrcT::ForTitle(std::span<const std::uint8_t> title) {
    for (const tTrcT* reader : registry())
        if (reader != &unknownReader && ssm::matchesMagic(title, reader->magic))
            return *reader;
    return unknownReader;
}

const tTrcT& tTrcT::Unknown() {
    return unknownReader;
}
