#pragma once

#include "Common/Event.h"
#include "Common/Subscription.h"
#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Physics/MergeDetector.h"
#include "app/System/Forward.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace Zandrel::System
{

// While switched on, two bodies whose spheres touch become one: the masses add, the momentum is kept, the body sits
// at their centre of mass and its size keeps their volume together (size³ adds). A sun stays a sun: when one of the
// two is a sun, the sun takes the other in; otherwise the heavier one does, and of two alike the older one.
//
// The bodies merge within the physics step in which they touched (the world finds them), so that no later step
// moves them apart again; the body taken in leaves the system once the frame's physics is done. Switched off, the
// world does not look for touching bodies at all.
class BodyMerger final
{
public:
    // `system` owns the merger. `announce` is called before the first merge of a frame changes anything, while
    // the system is still as it was.
    BodyMerger(SolarSystem& system, std::function<void()> announce);
    BodyMerger(const BodyMerger&) = delete;
    BodyMerger& operator=(const BodyMerger&) = delete;
    ~BodyMerger();

    void SetOn(bool on);
    [[nodiscard]] bool IsOn() const { return on; }
    // Raised with the identifiers of the body that remains and of the one it took in, after that one has left.
    [[nodiscard]] Quarnel::Common::EventAddHandler<std::uint16_t, std::uint16_t>& OnMerged()
    {
        return merged.GetAddHandler();
    }

private:
    struct Merge
    {
        std::uint16_t kept;
        std::uint16_t taken;
    };

    void OnContacts(const std::vector<Quarnel::GameEngine2D::Physics::Contact>& contacts);
    // Takes the bodies that were taken in out of the system.
    void Finish();

    SolarSystem& system;
    std::function<void()> announce;
    bool on = false;
    // The merges of the frame so far; kept from frame to frame so that merging allocates only when it grows.
    std::vector<Merge> merges;
    Quarnel::Common::Event<std::uint16_t, std::uint16_t> merged;
    Quarnel::Common::Subscription afterPhysics;
};

} // namespace Zandrel::System
