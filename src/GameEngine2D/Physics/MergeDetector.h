#pragma once

#include "GameEngine2D/Physics/Forward.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{

// Two masses whose bodies touched during a step: `time` is the share of the step (0 to 1) at which they first did;
// the places are the masses' places in the world's list, the first one's lower.
struct Contact
{
    Mass* first = nullptr;
    Mass* second = nullptr;
    double time = 0.0;
    std::uint32_t firstPlace = 0;
    std::uint32_t secondPlace = 0;
};

// Finds the pairs of masses whose bodies (spheres of their radius) touch at any moment of a step, also when they
// pass through each other within it: over a step every mass moves on a straight line, so a pair touches when the
// closest approach of its relative motion comes within the sum of the radii.
//
// The broad phase sorts the boxes the spheres sweep along the axis on which they spread most, and tests only the
// pairs whose boxes overlap. The buffers are kept from step to step, so a run allocates only
// while the number of masses grows.
class MergeDetector final
{
public:
    // Remembers where every mass of `masses` starts the step.
    void BeginStep(const std::vector<std::shared_ptr<Mass>>& masses);
    // The pairs of `masses` (the same list as at BeginStep) that touched during the step, ordered by the time of
    // first touch, then by their places in the list. Removed masses and masses at no finite place take no part.
    const std::vector<Contact>& FindContacts(const std::vector<std::shared_ptr<Mass>>& masses);

private:
    struct Swept
    {
        // Start of the step, and the way moved during it.
        double start[3];
        double way[3];
        double radius;
        bool takesPart;
    };
    // The box a sphere sweeps during the step, radius included, rounded outwards to float so that the sweep reads
    // little memory: the sorting axis first, then the other two.
    struct Box
    {
        float low;
        float high;
        float otherLow[2];
        float otherHigh[2];
        std::uint32_t place;
    };

    [[nodiscard]] static std::size_t SpreadAxis(const std::vector<Swept>& swept);
    // The share of the step at which the two first touch, or a negative value when they do not.
    [[nodiscard]] static double FirstTouch(const Swept& a, const Swept& b);

    std::vector<Swept> swept;
    // The boxes of the masses that take part, sorted along the axis of the widest spread.
    std::vector<Box> boxes;
    std::vector<Contact> contacts;
};

} // namespace Quarnel::GameEngine2D::Physics
