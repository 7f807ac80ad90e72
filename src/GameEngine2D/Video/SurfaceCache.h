#pragma once

#include "GameEngine2D/Video/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Video
{

// One entry of the surface cache: a loaded image and how many holders have it. The count only reports; the image
// stays cached until Free at shut-down whatever the count.
class SurfaceCache final
{
public:
    // A new entry has one holder, the one that loaded it.
    explicit SurfaceCache(std::shared_ptr<Surfaces> cachedSurfaces) noexcept :
        surfaces(std::move(cachedSurfaces)),
        references(1)
    {
    }
    virtual ~SurfaceCache() = default;
    SurfaceCache(const SurfaceCache&) = delete;
    SurfaceCache& operator=(const SurfaceCache&) = delete;

    // One more holder; returns the image.
    virtual std::shared_ptr<Surfaces> Acquire();
    // One holder less. A release without a matching acquire is ignored, so the count never goes below 0.
    virtual void Release();
    // Deletes the textures of the image, reporting holders that never released it; the entry is empty afterwards.
    virtual void Free();

    [[nodiscard]] int GetReferences() const noexcept { return references; }
    [[nodiscard]] const std::shared_ptr<Surfaces>& GetCached() const noexcept { return surfaces; }

private:
    std::shared_ptr<Surfaces> surfaces;
    int references;
};

} // namespace Quarnel::GameEngine2D::Video
