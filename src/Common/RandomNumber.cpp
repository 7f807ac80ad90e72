#include "Common/RandomNumber.h"

#include <chrono>
#include <stdexcept>

namespace Quarnel::Common
{

namespace
{

struct KissState
{
    std::uint32_t x = 1;
    std::uint32_t y = 2;
    std::uint32_t z = 4;
    std::uint32_t w = 8;
    std::uint32_t carry = 0;
};

std::uint32_t ClockSeed()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks));
}

// The one generator of the process, seeded on first use. The object below touches it during static
// initialisation, so the seed is taken before main runs.
KissState& State()
{
    static KissState state = [] {
        KissState seeded;
        const std::uint32_t seed = ClockSeed();
        seeded = {seed | 1u, seed | 2u, seed | 4u, seed | 8u, 0u};
        return seeded;
    }();
    return state;
}

[[maybe_unused]] const bool seededAtStart = (State(), true);

} // namespace

std::uint32_t RandomNumber::Next()
{
    KissState& s = State();
    // Linear congruential part.
    s.x = s.x * 69069u + 1u;
    // Xorshift part, shifts 13, 17, 5.
    s.y ^= s.y << 13;
    s.y ^= s.y >> 17;
    s.y ^= s.y << 5;
    // Multiply-with-carry part over the two words z and w.
    const std::uint32_t k = (s.z >> 2) + (s.w >> 3) + (s.carry >> 2);
    const std::uint32_t m = s.w + s.w + s.z + s.carry;
    s.z = s.w;
    s.w = m;
    s.carry = k >> 30;
    return s.x + s.y + s.w;
}

std::uint32_t RandomNumber::Get(std::uint32_t min, std::uint32_t max)
{
    if (min > max)
        throw std::invalid_argument("RandomNumber.Get: min is greater than max");
    const std::uint32_t span = max - min + 1u;
    // The whole 32-bit range wraps the span to 0; every value is then already in range.
    if (span == 0)
        return Next();
    return Next() % span + min;
}

void RandomNumber::Seed(std::uint32_t seed)
{
    State() = {seed | 1u, seed | 2u, seed | 4u, seed | 8u, 0u};
}

} // namespace Quarnel::Common
