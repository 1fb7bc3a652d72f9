#pragma once
// Processing of the spectro trace: each depth spectrum cut at the depth range, in pixels.

#include "TrcP_Columns.h"

class tTrcI_HFSpG;

class tTrcP_HFSpG : public tTrcP_Columns {
public:
    explicit tTrcP_HFSpG(tTrcI_HFSpG* image);

protected:
    const IArray<tTrcV_Measure>& Curves() const override;
    const tPair* Shape(std::size_t i, std::size_t m) const override;
};
