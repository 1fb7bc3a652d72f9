#include "TrcP_HFSpG.h"

#include "TrcI_HFSpG.h"
#include "TrcV_HFSpG.h"

tTrcP_HFSpG::tTrcP_HFSpG(tTrcI_HFSpG* image) : tTrcP_Columns(image) {}

const IArray<tTrcV_Measure>& tTrcP_HFSpG::Curves() const {
    return RequireKind<tTrcV_HFSpG>(values)->depthSpectra;
}

// The depth spectra are normalised already.
const tPair* tTrcP_HFSpG::Shape(std::size_t i, std::size_t) const {
    return Curves().Item(i).points.data();
}
