#pragma once

#include "Common/Point3D.h"

#include <string>

namespace Quarnel::Common
{

// An immutable position and size (width in x, height in y): input areas and widget rectangles.
class Rect final
{
public:
    constexpr Rect() = default;
    constexpr Rect(const Point3D& positionValue, const Point3D& sizeValue) : position(positionValue), size(sizeValue) {}

    [[nodiscard]] constexpr const Point3D& Position() const { return position; }
    [[nodiscard]] constexpr const Point3D& Size() const { return size; }

    // position + "/" + size, each in the point's text form.
    [[nodiscard]] std::string ToString() const;

    [[nodiscard]] constexpr bool operator==(const Rect& other) const
    {
        return position == other.position && size == other.size;
    }

private:
    Point3D position;
    Point3D size;
};

} // namespace Quarnel::Common
