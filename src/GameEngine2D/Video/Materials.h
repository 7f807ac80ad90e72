#pragma once

#include "GameEngine2D/Video/Forward.h"

#include <map>
#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Video
{

// The engine's registry of materials by name. Model materials are registered as model file name + "." + the name in
// the material file, so two models may use one material name without clashing.
class Materials final
{
public:
    Materials() = default;
    virtual ~Materials() = default;
    Materials(const Materials&) = delete;
    Materials& operator=(const Materials&) = delete;

    // A new material stored under name, replacing any material of that name.
    virtual std::shared_ptr<Material> Create(const std::string& name);
    // The material stored under name, or null.
    [[nodiscard]] virtual std::shared_ptr<Material> Get(const std::string& name) const;

private:
    std::map<std::string, std::shared_ptr<Material>> map;
};

} // namespace Quarnel::GameEngine2D::Video
