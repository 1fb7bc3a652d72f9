#pragma once
// The one-dimensional wave model of a tested pile, the one every integrity tester reasons with.
// The pile is a chain of layers of equal travel time (one sample each way), each with its
// impedance Z = rho * c * A relative to the head's. A velocity wave meeting a change of
// impedance is partly reflected, r = (Z1 - Z2) / (Z1 + Z2), and partly passed on (1 + r
// downwards, 1 - r upwards); the head is a free end struck by the hammer, the toe reflects with
// its own coefficient, and shaft friction takes a share of every wave per metre it travels.
// The length and the depths of the profile fall on layer boundaries, so an echo comes within
// a sample of 2x/c: at 25 kHz and 4000 m/s a layer is 0.16 m.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "PileWave.h"

namespace pilemodel {

// What a stretch of changed section is to an engineer.
enum class SectionKind { Narrowing, Widening, Crack, Break };

// A stretch of the pile whose impedance is not the head's: Z / Z0 = ratio from `depth` over
// `length` metres (up to the toe when it reaches past it). A crack is a short, strong narrowing;
// a break a crack that passes next to nothing; a pile cast in two parts has its lower part as
// a narrowing or a widening down to the toe.
struct Section {
    SectionKind kind = SectionKind::Narrowing;
    double depth = 0.0;  // m
    double length = 1.0; // m
    double ratio = 0.5;  // Z / Z0
    bool operator==(const Section&) const = default;
};

// A boundary of soil layers along the shaft: below it the shaft's resistance differs, and the
// wave meets it as if the impedance below were (1 + change) times what it was (a few per cent).
struct SoilBoundary {
    double depth = 0.0;  // m
    double change = 0.0; // relative change of the impedance below
    bool operator==(const SoilBoundary&) const = default;
};

// Toe reflections of the velocity wave: a free toe (soft soil), a socket in rock.
constexpr double kFreeToe = 1.0;
constexpr double kFixedToe = -1.0;

struct PileModel {
    // The pile.
    double length = 12.0;           // m
    double waveVelocity = 4000.0;   // m/s, the concrete's wave speed, which the waves travel at
    double toeReflection = 0.6;     // 1 free, -1 fixed, soil in between
    double friction = 0.02;         // 1/m: a wave keeps exp(-friction * x) of itself over x metres
    std::vector<Section> profile;   // later stretches win where they overlap
    std::vector<SoilBoundary> soil; // none: a shaft in uniform soil

    // The blow.
    std::size_t pulseStart = 256;  // sample where the force rises (the tracebuilder readers start at 256)
    double pulseDuration = 0.0008; // s, the half-sine of the hammer force
    double pulseSkew = 0.0;        // 0: a half-sine; up to 0.5, the crest comes this share of it earlier
    double pulseTail = 0.0;        // force of a tail that lingers after the pulse, to its crest; 0: none
    double hammer = 1.0;           // relative amplitude of this blow
    double secondHitDelay = 0.0;   // s from the first force pulse to a second one (a double hit); 0 = none
    double secondHitRatio = 0.5;   // the second pulse's amplitude to the first's

    // The instrument.
    double hammerAmplitude = 20000.0; // counts of the hammer channel for a force of relative amplitude 1
    double headAmplitude = 12000.0;   // counts of sensor 1 for the input velocity of that force
    double sensor2Depth = 0.0;        // m below the head; 0: sensor 2 sits at the head too
    double sensor2Factor = 0.8;       // sensitivity of sensor 2 to that of sensor 1
    double noise = 20.0;              // counts, the sensors' white noise (the hammer's is half of it)
    double noiseCorrelation = 0.0;    // 0: white; up to 1, each sample keeps this much of the last
    double noiseDrift = 0.0;          // counts: a slow swing of each channel's zero over the record
    std::uint32_t seed = 1;
};

// "narrowing", "widening", "crack", "break"; and back (false for an unknown name).
const char* sectionKindName(SectionKind kind);
bool sectionKindFromName(const std::string& name, SectionKind& kind);
// "free", "fixed" or "soil" for a toe reflection coefficient.
const char* toeName(double toeReflection);

// Number of layers of the pile at this sample period: its one-way travel time in samples.
std::size_t layerCount(const PileModel& m, double samplePeriod);

// The pile as its waves feel it at this sample period.
LayeredPile layered(const PileModel& m, double samplePeriod);

// The toe's echo at the head as a share of the input's crest: the largest difference the toe
// makes there, the model without noise run with its toe and with one that reflects nothing.
double toeEcho(const PileModel& m, double samplePeriod);

// The hammer's force at sample i, in relative units: 1 gives the head a velocity of 1.
double hammerForce(const PileModel& m, double samplePeriod, std::size_t i);

// The hammer force of the model and the velocities it gives, `n` samples of one blow.
BlowSignals simulateBlow(const PileModel& m, double samplePeriod, std::size_t n);

// Sample offset of the toe echo after the blow: twice the pile's layers.
std::size_t toeEchoOffset(const PileModel& m, double samplePeriod);

} // namespace pilemodel
