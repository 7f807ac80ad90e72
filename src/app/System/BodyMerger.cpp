#include "app/System/BodyMerger.h"

#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/Scene.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"
#include "app/System/Sun.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace Zandrel::System
{

namespace
{

using Quarnel::GameEngine2D::Physics::Contact;

constexpr double LargestSize = std::numeric_limits<float>::max();

bool IsSun(const Sphere& body)
{
    return dynamic_cast<const Sun*>(&body) != nullptr;
}

// Whether `a` takes `b` in: a sun before a planet, then the heavier, then the one earlier in the world's list.
bool Keeps(const Sphere& a, const Sphere& b)
{
    if (IsSun(a) != IsSun(b))
        return IsSun(a);
    return !(b.GetMass() > a.GetMass());
}

} // namespace

BodyMerger::BodyMerger(SolarSystem& owner, std::function<void()> announceChange) :
    system(owner),
    announce(std::move(announceChange))
{
    afterPhysics = system.GetScene().OnAfterPhysics().Subscribe([this] { Finish(); });
}

BodyMerger::~BodyMerger()
{
    if (on)
        system.GetScene().GetWorld().SetContactHandler({});
}

void BodyMerger::SetOn(bool switchOn)
{
    if (switchOn == on)
        return;
    on = switchOn;
    if (on)
        system.GetScene().GetWorld().SetContactHandler(
            [this](const std::vector<Contact>& contacts) { OnContacts(contacts); });
    else
        system.GetScene().GetWorld().SetContactHandler({});
}

void BodyMerger::OnContacts(const std::vector<Contact>& contacts)
{
    for (const Contact& contact : contacts)
    {
        // A body taken in earlier in this step is gone; its partner may meet the one that took it next step.
        if (contact.first->IsRemoved() || contact.second->IsRemoved())
            continue;
        auto* first = dynamic_cast<Sphere*>(&contact.first->Target());
        auto* second = dynamic_cast<Sphere*>(&contact.second->Target());
        if (!first || !second)
            continue;
        if (merges.empty())
            announce();
        const bool firstKeeps = Keeps(*first, *second);
        Sphere& kept = firstKeeps ? *first : *second;
        Sphere& taken = firstKeeps ? *second : *first;
        const double keptSize = kept.GetBodySize();
        const double takenSize = taken.GetBodySize();
        kept.GetPointMass()->Absorb(*taken.GetPointMass());
        kept.SetMass(kept.GetPointMass()->GetMass());
        // Two sizes near the largest float give one beyond it, which a float cannot hold.
        const double size = std::cbrt(keptSize * keptSize * keptSize + takenSize * takenSize * takenSize);
        kept.SetBodySize(static_cast<float>(std::min(size, LargestSize)));
        merges.push_back(Merge{.kept = kept.GetId(), .taken = taken.GetId()});
    }
}

void BodyMerger::Finish()
{
    if (merges.empty())
        return;
    for (const Merge& merge : merges)
    {
        if (system.RemoveBody(system.FindItem(merge.taken)))
            merged.Call(merge.kept, merge.taken);
    }
    merges.clear();
}

} // namespace Zandrel::System
