#include "GameEngine2D/Physics/MergeDetector.h"

#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Physics/Mass.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Quarnel::GameEngine2D::Physics
{

namespace
{

constexpr std::size_t Axes = 3;

// The nearest floats at or below and at or above a value, so that a box in float holds the box in double. Values
// beyond the floats (a sum of two huge coordinates) become the infinities on their side: casting them is undefined.
constexpr double LargestFloat = std::numeric_limits<float>::max();
constexpr float Infinity = std::numeric_limits<float>::infinity();

float Below(double value)
{
    if (value < -LargestFloat)
        return -Infinity;
    if (value > LargestFloat)
        return std::numeric_limits<float>::max();
    const auto rounded = static_cast<float>(value);
    return static_cast<double>(rounded) <= value ? rounded : std::nextafter(rounded, -Infinity);
}

float Above(double value)
{
    if (value > LargestFloat)
        return Infinity;
    if (value < -LargestFloat)
        return std::numeric_limits<float>::lowest();
    const auto rounded = static_cast<float>(value);
    return static_cast<double>(rounded) >= value ? rounded : std::nextafter(rounded, Infinity);
}

double Coordinate(Common::Point3D point, std::size_t axis)
{
    return axis == 0 ? point.X() : (axis == 1 ? point.Y() : point.Z());
}

} // namespace

void MergeDetector::BeginStep(const std::vector<std::shared_ptr<Mass>>& masses)
{
    swept.resize(masses.size());
    for (std::size_t index = 0; index < masses.size(); ++index)
    {
        Swept& entry = swept[index];
        // A removed mass's target may be gone: it is not read.
        entry.takesPart = !masses[index]->IsRemoved();
        if (!entry.takesPart)
            continue;
        const Common::Point3D start = masses[index]->Target().GetPosition();
        for (std::size_t axis = 0; axis < Axes; ++axis)
            entry.start[axis] = Coordinate(start, axis);
    }
}

const std::vector<Contact>& MergeDetector::FindContacts(const std::vector<std::shared_ptr<Mass>>& masses)
{
    contacts.clear();
    // The list cannot change within a step; if it did, the starts belong to other masses.
    if (masses.size() != swept.size())
        return contacts;
    for (std::size_t index = 0; index < masses.size(); ++index)
    {
        Swept& entry = swept[index];
        const Mass& mass = *masses[index];
        entry.takesPart = entry.takesPart && !mass.IsRemoved();
        if (!entry.takesPart)
            continue;
        const Common::Point3D end = mass.Target().GetPosition();
        bool finite = true;
        for (std::size_t axis = 0; axis < Axes; ++axis)
        {
            entry.way[axis] = Coordinate(end, axis) - entry.start[axis];
            finite = finite && std::isfinite(entry.start[axis]) && std::isfinite(entry.way[axis]);
        }
        const float radius = mass.GetRadius();
        // Not a number or below zero: a point. An infinite reach would put every pair in touch and its interval
        // would sort nowhere.
        entry.radius = radius > 0.0f ? radius : 0.0;
        // A mass lost at no finite place would break the sorting order.
        entry.takesPart = finite && std::isfinite(entry.radius);
    }

    const std::size_t axis = SpreadAxis(swept);
    boxes.clear();
    for (std::size_t index = 0; index < swept.size(); ++index)
    {
        const Swept& entry = swept[index];
        if (!entry.takesPart)
            continue;
        Box& box = boxes.emplace_back();
        box.place = static_cast<std::uint32_t>(index);
        for (std::size_t turn = 0; turn < Axes; ++turn)
        {
            const std::size_t along = (axis + turn) % Axes;
            const double from = entry.start[along];
            const double to = from + entry.way[along];
            const float low = Below(std::min(from, to) - entry.radius);
            const float high = Above(std::max(from, to) + entry.radius);
            if (turn == 0)
            {
                box.low = low;
                box.high = high;
            }
            else
            {
                box.otherLow[turn - 1] = low;
                box.otherHigh[turn - 1] = high;
            }
        }
    }
    std::ranges::sort(
        boxes, [](const Box& a, const Box& b) { return a.low < b.low || (a.low == b.low && a.place < b.place); });

    for (std::size_t at = 0; at < boxes.size(); ++at)
    {
        const Box& a = boxes[at];
        for (std::size_t next = at + 1; next < boxes.size() && boxes[next].low <= a.high; ++next)
        {
            const Box& b = boxes[next];
            if (b.otherLow[0] > a.otherHigh[0] || b.otherHigh[0] < a.otherLow[0] || b.otherLow[1] > a.otherHigh[1] ||
                b.otherHigh[1] < a.otherLow[1])
                continue;
            const double time = FirstTouch(swept[a.place], swept[b.place]);
            if (time < 0.0)
                continue;
            const std::uint32_t low = std::min(a.place, b.place);
            const std::uint32_t high = std::max(a.place, b.place);
            contacts.push_back(Contact{.first = masses[low].get(),
                                       .second = masses[high].get(),
                                       .time = time,
                                       .firstPlace = low,
                                       .secondPlace = high});
        }
    }
    // Several touches in one step are taken in the order they happened; the places in the list settle ties, so the
    // same step always merges the same way.
    std::ranges::sort(contacts, [](const Contact& a, const Contact& b) {
        if (a.time != b.time)
            return a.time < b.time;
        if (a.firstPlace != b.firstPlace)
            return a.firstPlace < b.firstPlace;
        return a.secondPlace < b.secondPlace;
    });
    return contacts;
}

std::size_t MergeDetector::SpreadAxis(const std::vector<Swept>& swept)
{
    double lowest[Axes];
    double highest[Axes];
    std::ranges::fill(lowest, std::numeric_limits<double>::infinity());
    std::ranges::fill(highest, -std::numeric_limits<double>::infinity());
    for (const Swept& entry : swept)
    {
        if (!entry.takesPart)
            continue;
        for (std::size_t axis = 0; axis < Axes; ++axis)
        {
            lowest[axis] = std::min(lowest[axis], entry.start[axis]);
            highest[axis] = std::max(highest[axis], entry.start[axis]);
        }
    }
    std::size_t widest = 0;
    for (std::size_t axis = 1; axis < Axes; ++axis)
    {
        if (highest[axis] - lowest[axis] > highest[widest] - lowest[widest])
            widest = axis;
    }
    return widest;
}

double MergeDetector::FirstTouch(const Swept& a, const Swept& b)
{
    // The distance d(t) = gap + t × closing over the step's share t; they touch where |d| ≤ the sum of the radii.
    double gap[Axes];
    double closing[Axes];
    for (std::size_t axis = 0; axis < Axes; ++axis)
    {
        gap[axis] = b.start[axis] - a.start[axis];
        closing[axis] = b.way[axis] - a.way[axis];
    }
    const double reach = a.radius + b.radius;
    const double c = gap[0] * gap[0] + gap[1] * gap[1] + gap[2] * gap[2] - reach * reach;
    if (c <= 0.0)
        return 0.0;
    const double qa = closing[0] * closing[0] + closing[1] * closing[1] + closing[2] * closing[2];
    const double qb = 2.0 * (gap[0] * closing[0] + gap[1] * closing[1] + gap[2] * closing[2]);
    // Apart at the start and not closing in: no touch within the step.
    if (qa <= 0.0 || qb >= 0.0)
        return -1.0;
    const double discriminant = qb * qb - 4.0 * qa * c;
    if (discriminant < 0.0)
        return -1.0;
    const double time = (-qb - std::sqrt(discriminant)) / (2.0 * qa);
    return time <= 1.0 ? time : -1.0;
}

} // namespace Quarnel::GameEngine2D::Physics
