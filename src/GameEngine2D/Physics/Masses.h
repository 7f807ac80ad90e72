#pragma once

#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{

class Mass;

// An ordered list of masses that only grows: a mass stays for the lifetime of the list's owner.
class Masses
{
public:
    Masses() = default;
    Masses(const Masses&) = delete;
    Masses& operator=(const Masses&) = delete;
    virtual ~Masses() = default;

    virtual void Add(std::shared_ptr<Mass> mass);
    [[nodiscard]] virtual const std::vector<std::shared_ptr<Mass>>& List() const;

private:
    std::vector<std::shared_ptr<Mass>> list;
};

} // namespace Quarnel::GameEngine2D::Physics
