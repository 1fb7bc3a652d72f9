#pragma once
// File-type readers and their process-wide registry. Every reader registers itself when it is
// constructed and leaves the registry when it is destroyed.

#include <cstdint>
#include <span>
#include <vector>

#include <QString>

#include "FileFailure.h"
#include "tTrc__Data.h"
#include "tTrc__File_identifier.h"

// Which sensors the filter asks for; `active` false means every sensor.
struct tFilterFlags {
    bool wantChannel1 = true;
    bool wantChannel2 = true;
    bool active = false;
};

class tTrcT {
public:
    enum : std::uint8_t { Ok = 0, TitleMismatch = 1, CannotOpen = 2, NothingWanted = 1, CannotRead = 2 };

    explicit tTrcT(const char* magicText);
    virtual ~tTrcT();
    tTrcT(const tTrcT&) = delete;
    tTrcT& operator=(const tTrcT&) = delete;

    // Recognises the file and fills the identifier: Ok, TitleMismatch or CannotOpen.
    virtual std::uint8_t Identify(tTrc__File_identifier& id) const = 0;
    // Appends one channel without points per wanted sensor: Ok, or NothingWanted.
    virtual std::uint8_t ProduceChannels(const tFilterFlags& filter, const tTrc__File_identifier& id,
                                         tTrc__DataList& list) const = 0;
    // Reads the channel's points unless it holds them already: Ok, or CannotRead with the reason in `why`.
    virtual std::uint8_t LoadPoints(const tTrc__File_identifier& id, tTrc__Data& channel,
                                    FileFailure& why) const = 0;
    virtual QString DisplayName() const = 0;

    static const std::vector<const tTrcT*>& Registry();
    // The reader whose magic the 32-byte title matches, or the unknown-format reader.
    static const tTrcT& ForTitle(std::span<const std::uint8_t> title);
    // The reader that stands for an unrecognised file.
    static const tTrcT& Unknown();

    const char* const magic;
};
