#pragma once

#include "app/System/Forward.h"

#include <cstddef>

namespace Zandrel::System
{

// The conserved totals of the bodies: energy and momentum. The bodies accelerate by a = k × F / m (k the world's
// acceleration per force, 60), so the potential that belongs to the gravity law is k times the law's own: for
// each pair A, B at distance r, with G the law's constant,
// - distance-independent pull of G mA mB / 20: U = k G mA mB r / 20, growing with the distance;
// - inverse-square pull of G mA mB / (s² factor), s = 500 r: U = -k G mA mB / (250000 factor r), and inside the
//   distance where s would fall below 1 (r < 1/500), where the pull stays at G mA mB / factor, U rises linearly
//   from the value at r = 1/500, so that U stays continuous.
// Kinetic energy is ½ m v², momentum m v. Masses that are not a number count as 0, as they do for the gravity.
class Conservation final
{
public:
    struct Totals
    {
        double energy = 0.0;
        // The sum of m v, and the sum of m |v| as its natural scale.
        double momentumX = 0.0, momentumY = 0.0, momentumZ = 0.0;
        double momentumScale = 0.0;
    };

    // The totals of every body the physics still moves, under the system's current law. From SharedFrom bodies on,
    // the pairs are shared among the processor's cores; the totals are the same for every count of threads.
    [[nodiscard]] static Totals Measure(const SolarSystem& system);
    // Which loop sums the pairs: one over the widest vectors the processor has (eight distances at a time where it
    // has AVX-512), or the portable one. Their totals differ in the last bits only.
    enum class Loop
    {
        Widest,
        Portable
    };
    // The same with the pairs shared among `threadCount` threads (0 counts as 1).
    [[nodiscard]] static Totals Measure(const SolarSystem& system, unsigned threadCount, Loop loop = Loop::Widest);

    static constexpr std::size_t SharedFrom = 2000;

    // The potential energy of one pair under the given law.
    [[nodiscard]] static double PairPotential(bool simpleMode, float factor, double massA, double massB,
                                              double distance);

    // (energy now − energy then) / |energy then|; 0 when the energy then was 0.
    [[nodiscard]] static double RelativeEnergyDrift(const Totals& then, const Totals& now);
    // |momentum now − momentum then| / the larger of both momentum scales; 0 when nothing moves.
    [[nodiscard]] static double RelativeMomentumDrift(const Totals& then, const Totals& now);
};

} // namespace Zandrel::System
