#pragma once
// The wave state of a layered pile, one sample at a time: the part of the model the generator
// writes files with and the matcher fits records with. A pile here is only what the waves feel:
// layers of one sample's travel each way, their impedances, the toe's reflection and the loss.

#include <cstddef>
#include <span>
#include <vector>

namespace pilemodel {

// A pile as the matcher and the generator see it: layers of one sample's travel each way.
struct LayeredPile {
    double samplePeriod = 4e-5;    // s
    double waveVelocity = 4000;    // m/s: a layer is waveVelocity * samplePeriod thick
    std::vector<double> impedance; // per layer, head first, relative to the head's; its size is the length
    double toeReflection = 1.0;    // velocity reflection at the toe: 1 free, -1 fixed
    double lossPerMetre = 0.0;     // 1/m: a wave keeps exp(-loss * x) over x metres
    double sensor2Depth = 0.0;     // m
};

// The hammer force and the velocities at the head and at sensor 2, `n` samples of one blow.
struct BlowSignals {
    std::vector<double> force, head, sensor2;
};

// Runs of layers of equal impedance are lumped into delay lines, so a step costs one update per
// change of impedance, not per layer.
class PileWave {
public:
    explicit PileWave(const LayeredPile& p);

    // One sample: `force` acts on the head (in units of the head's impedance times a velocity);
    // returns the head's velocity.
    double step(double force);
    // Velocity at sensor 2's depth in the last step.
    double sensor2() const { return sensor2_; }
    // The energy travelling in the pile, sum of Z (d^2 + u^2) over the layers: the hammer's work
    // sum of F v adds to it, friction and a toe that is neither free nor fixed take from it.
    double energy() const;

private:
    struct Run {
        double z = 1.0;          // impedance relative to the head's
        double loss = 1.0;       // what friction leaves of a wave crossing the run
        double reflection = 0.0; // at the run's lower end: to the next run, or the toe's
        std::size_t at = 0;      // delay-line position of this step
        std::vector<double> down, up;
    };
    std::vector<Run> runs_;
    std::size_t tap_ = 0; // run whose lower end is sensor 2; runs_.size() for the head
    double sensor2_ = 0.0;
};

// Head velocity and sensor 2's velocity for a force history (zero beyond its end), n samples.
BlowSignals respond(const LayeredPile& p, std::span<const double> force, std::size_t n);

} // namespace pilemodel
