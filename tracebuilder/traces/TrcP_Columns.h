#pragma once
// Processing object of a column trace picture: cuts each curve at the depth range and turns it
// into pixel offsets within its column.

#include <cstdint>

#include "Traces.h"

class tTrcI_Columns;

class tTrcP_Columns : public tTrcP {
public:
    class tConfig : public tTrcCnf {
    public:
        // Raises the missing-object error for a null image object.
        explicit tConfig(tTrcI_Columns* image);
        std::uint16_t halfWidth = 0;
        std::uint16_t xOffset = 0;
        std::uint16_t pixelsPerMetre = 0;
        std::uint16_t yOffset = 0;
        tTrcI_Columns* const owner;
    };

    explicit tTrcP_Columns(tTrcI_Columns* image);

    int Calc() override;
    void Clear() override;

    tConfig conf;
    IArray<tTrcP_Measure> measures;
    // Counts the changes of `measures`, so that what is drawn from them can be kept until then.
    std::uint64_t generation = 0;

protected:
    // The curves of the attached values object (amplitude against depth).
    virtual const IArray<tTrcV_Measure>& Curves() const = 0;
    // The first m points of curve i as they are to be drawn.
    virtual const tPair* Shape(std::size_t i, std::size_t m) const = 0;
};
