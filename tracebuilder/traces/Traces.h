#pragma once
// Base classes of the trace chains: a values object turns measurements into curves, a processing
// object turns curves into drawable entries, an image object draws them. Each owns a parameter set
// whose change marker tells the trace server what must run again.

#include <cstdint>
#include <vector>

#include "IArray.h"
#include "TrcError.h"
#include "tTrcCnf.h"
#include "tTrc__Data.h"

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// A point of a curve: (amplitude, abscissa).
using tPair = double[2];

// One curve in physical units: (amplitude, abscissa) pairs.
struct tTrcV_Measure {
    IArray<double[2]> points;
};

// One drawable entry: pixel offsets (X across the column, Y down the picture).
struct tTrcP_Measure {
    IArray<TPoint> points;
};

using tTrcV_HFSG_Measure = tTrcV_Measure;
using tTrcV_HFSpG_Measure = tTrcV_Measure;
using tTrcV_CHRTSG_Measure = tTrcV_Measure;
using tTrcV_CHRTSpG_Measure = tTrcV_Measure;
using tTrcP_HFSG_Measure = tTrcP_Measure;
using tTrcP_HFSpG_Measure = tTrcP_Measure;
using tTrcP_CHRTSG_Measure = tTrcP_Measure;
using tTrcP_CHRTSpG_Measure = tTrcP_Measure;

class tTrcP;

// The parameter set pointers below point at the derived object's own set (a member of it).
class tTrcV {
public:
    explicit tTrcV(tTrcCnf* ownConfig) : config(ownConfig) {}
    virtual ~tTrcV() = default;
    tTrcV(const tTrcV&) = delete;
    tTrcV& operator=(const tTrcV&) = delete;

    // Rebuilds all curves; returns non-zero when the list was not empty.
    virtual int Calc(const tTrc__DataList& list) = 0;
    virtual void Clear() = 0;

    // Hangs the processing object below this one, so that it recomputes whenever this does.
    void Attach(tTrcP* processing);

    tTrcCnf* const config;
    std::vector<tTrcP*> users; // not owned
};

class tTrcI {
public:
    explicit tTrcI(tTrcCnf* ownConfig) : config(ownConfig) {}
    virtual ~tTrcI() = default;
    tTrcI(const tTrcI&) = delete;
    tTrcI& operator=(const tTrcI&) = delete;

    // Draws the entries of the processing object that feeds this image.
    virtual void Draw(tTrcP* processing) = 0;
    virtual void DrawAxes() = 0;
    virtual void Clear() = 0;

    tTrcCnf* const config;
};

class tTrcP {
public:
    // Raises the missing-object error for a null image.
    tTrcP(tTrcCnf* ownConfig, tTrcI* imageObject);
    virtual ~tTrcP() = default;
    tTrcP(const tTrcP&) = delete;
    tTrcP& operator=(const tTrcP&) = delete;

    virtual int Calc() = 0;
    virtual void Clear() = 0;

    tTrcCnf* const config;
    tTrcI* const image;      // not owned
    tTrcV* values = nullptr; // set by tTrcV::Attach

protected:
    // Called by the derived constructor once its parameter set exists: the image's marker goes
    // below this object's marker.
    void AdoptImage() { config->syn.Attach(&image->config->syn); }
};

// Casts a chain member to the kind an operation needs; a missing or foreign object is the
// missing-object error.
template <class T, class U> T* RequireKind(U* object) {
    T* kind = dynamic_cast<T*>(object);
    if (kind == nullptr)
        throw tTrcError(tTrcError::MissingObject);
    return kind;
}
