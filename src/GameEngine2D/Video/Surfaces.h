#pragma once

#include "Common/Point2D.h"
#include "GameEngine2D/Video/Surface.h"

#include <string>
#include <vector>

namespace Quarnel::GameEngine2D::Video
{

// All texture parts of one image, in the order they were cut (column by column from the left, top to bottom within a
// column), with the image's id (its file name, or the caller's name) and its size in pixels. Shared by reference.
class Surfaces final
{
public:
    // An empty id: std::invalid_argument "Id ist nicht gesetzt"; no parts: "Surfaces sind nicht gesetzt".
    Surfaces(std::string surfacesId, std::vector<Surface> surfaceParts, Common::Point2D imageSize);
    virtual ~Surfaces() = default;
    Surfaces(const Surfaces&) = delete;
    Surfaces& operator=(const Surfaces&) = delete;

    [[nodiscard]] virtual const std::vector<Surface>& GetSurfaces() const { return parts; }
    [[nodiscard]] virtual Common::Point2D GetSize() const { return size; }
    [[nodiscard]] virtual const std::string& GetId() const { return id; }

    // Deletes the OpenGL textures of every part now (the GL context must be current); for images that are not in
    // the cache, and the cache's Free.
    void DeleteTextures() noexcept;

private:
    std::vector<Surface> parts;
    std::string id;
    Common::Point2D size;
};

} // namespace Quarnel::GameEngine2D::Video
