#pragma once

#include "Common/WalkedList.h"
#include "GameEngine2D/Physics/Forward.h"

#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{

// An ordered list of masses. A mass stays until it is removed (Mass::Remove) and the list's owner forgets it; the
// list refuses to change while it is walked.
class Masses final
{
public:
    Masses() = default;
    Masses(const Masses&) = delete;
    Masses& operator=(const Masses&) = delete;
    virtual ~Masses() = default;

    virtual void Add(std::shared_ptr<Mass> mass);
    [[nodiscard]] virtual const std::vector<std::shared_ptr<Mass>>& List() const;

    // Drops every mass that has been removed.
    void ForgetRemoved();
    // Visits the masses in order; adding a mass meanwhile ends the walk with "Collection modified during iteration".
    template <typename Visit>
    void ForEach(Visit visit)
    {
        list.ForEach(visit);
    }

private:
    Common::WalkedList<Mass> list;
};

} // namespace Quarnel::GameEngine2D::Physics
