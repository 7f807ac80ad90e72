#pragma once

#include <cstdint>

namespace Quarnel::Common
{

// Integers drawn uniformly from an inclusive range, from one process-wide KISS generator: a linear
// congruential part, a 13/17/5 xorshift part and a multiply-with-carry part. It is seeded before main
// runs from a high-resolution clock, so runs are not reproducible unless Seed is called.
class RandomNumber final
{
public:
    RandomNumber() = delete;

    // (next value mod (max + 1 - min)) + min in unsigned 32-bit arithmetic. The full range 0..2^32-1 gives
    // the next value itself. Raises std::invalid_argument when min > max.
    [[nodiscard]] static std::uint32_t Get(std::uint32_t min, std::uint32_t max);

    // The next raw 32-bit value of the generator.
    [[nodiscard]] static std::uint32_t Next();

    // Restarts the generator: the four state words become seed | 1, | 2, | 4, | 8 and the carry 0.
    static void Seed(std::uint32_t seed);
};

} // namespace Quarnel::Common
