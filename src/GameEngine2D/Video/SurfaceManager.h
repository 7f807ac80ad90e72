#pragma once

#include "GameEngine2D/Video/Forward.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace Quarnel::GameEngine2D::Video
{

// The reference-counted cache of loaded images (and rendered glyphs), keyed by id: an image used by many nodes is
// loaded and uploaded once. Entries live until FreeAll at shut-down.
class SurfaceManager final
{
public:
    SurfaceManager();
    virtual ~SurfaceManager();
    SurfaceManager(const SurfaceManager&) = delete;
    SurfaceManager& operator=(const SurfaceManager&) = delete;

    // The cached image with one more holder, or null when nothing is cached under id.
    virtual std::shared_ptr<Surfaces> Get(const std::string& id);
    // Caches the image under its id with one holder, replacing any entry of that id. Null: std::invalid_argument
    // "surfaces is null".
    virtual void Add(std::shared_ptr<Surfaces> surfaces);
    // One holder less for the entry that caches exactly this image; an image the cache does not hold (an uncached
    // image that happens to share a cached id) leaves every count alone. Nothing is freed here.
    virtual void Release(const Surfaces& surfaces);
    // Deletes the textures of every entry and empties the cache (the engine's shut-down).
    virtual void FreeAll();

    // The entry's holder count, or none when id is not cached.
    [[nodiscard]] std::optional<int> GetReferences(const std::string& id) const;

private:
    std::map<std::string, std::unique_ptr<SurfaceCache>> entries;
};

} // namespace Quarnel::GameEngine2D::Video
