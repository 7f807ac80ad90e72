#include "GameEngine2D/Video/SurfaceManager.h"

#include "GameEngine2D/Video/SurfaceCache.h"
#include "GameEngine2D/Video/Surfaces.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Video
{

SurfaceManager::SurfaceManager() = default;

SurfaceManager::~SurfaceManager() = default;

std::shared_ptr<Surfaces> SurfaceManager::Get(const std::string& id)
{
    const auto found = entries.find(id);
    if (found == entries.end())
        return nullptr;
    return found->second->Acquire();
}

void SurfaceManager::Add(std::shared_ptr<Surfaces> surfaces)
{
    if (!surfaces)
        throw std::invalid_argument("surfaces is null");
    const std::string id = surfaces->GetId();
    entries.insert_or_assign(id, std::make_unique<SurfaceCache>(std::move(surfaces)));
}

void SurfaceManager::Release(const Surfaces& surfaces)
{
    const auto found = entries.find(surfaces.GetId());
    if (found != entries.end() && found->second->GetCached().get() == &surfaces)
        found->second->Release();
}

void SurfaceManager::FreeAll()
{
    for (auto& [id, entry] : entries)
        entry->Free();
    entries.clear();
}

std::optional<int> SurfaceManager::GetReferences(const std::string& id) const
{
    const auto found = entries.find(id);
    if (found == entries.end())
        return std::nullopt;
    return found->second->GetReferences();
}

} // namespace Quarnel::GameEngine2D::Video
