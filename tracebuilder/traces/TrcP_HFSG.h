#pragma once
// Processing of the seismo trace: each curve cut at the depth range and normalised to its column.

#include "TrcP_Columns.h"

class tTrcI_HFSG;

class tTrcP_HFSG : public tTrcP_Columns {
public:
    explicit tTrcP_HFSG(tTrcI_HFSG* image);

protected:
    const IArray<tTrcV_Measure>& Curves() const override;
    const tPair* Shape(std::size_t i, std::size_t m) const override;
};
