#include "GameEngine2D/Video/Data/UvSphere.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace Quarnel::GameEngine2D::Video::Data
{

namespace
{

// Lists of positions and texture coordinates laid out as rings, and the corners that index them.
class Layout
{
public:
    Layout(float sphereRadius, int sphereSegments, int sphereStacks) :
        radius(sphereRadius),
        segments(sphereSegments),
        stacks(sphereStacks)
    {
    }

    std::shared_ptr<IndexedVertices> Build()
    {
        AddPositions();
        AddCoordinates();
        FaceGroup group;
        group.faces.reserve(static_cast<std::size_t>(UvSphere::TriangleCount(segments, stacks)));
        for (int stack = 0; stack < stacks; ++stack)
        {
            for (int segment = 0; segment < segments; ++segment)
                AddFaces(group.faces, stack, segment);
        }
        std::vector<FaceGroup> groups;
        groups.push_back(std::move(group));
        return std::make_shared<IndexedVertices>(std::move(positions), std::move(coordinates),
                                                 std::vector<VertexRecord>{}, std::move(groups));
    }

private:
    // The north pole, the inner rings (meridian 0 first), the south pole.
    void AddPositions()
    {
        positions.push_back({0.0f, radius, 0.0f});
        for (int stack = 1; stack < stacks; ++stack)
        {
            const double theta = std::numbers::pi * stack / stacks;
            for (int segment = 0; segment < segments; ++segment)
            {
                const double phi = 2.0 * std::numbers::pi * segment / segments;
                positions.push_back({static_cast<float>(radius * std::sin(theta) * std::sin(phi)),
                                     static_cast<float>(radius * std::cos(theta)),
                                     static_cast<float>(radius * std::sin(theta) * std::cos(phi))});
            }
        }
        positions.push_back({0.0f, -radius, 0.0f});
    }

    // A (segments + 1) × (stacks + 1) grid whose seam has u = 0 and u = 1; a pole row holds one coordinate per
    // segment, at the middle of its triangle. v is stored negated, as the model reader stores it.
    void AddCoordinates()
    {
        for (int stack = 0; stack <= stacks; ++stack)
        {
            coordinateStart.push_back(static_cast<int>(coordinates.size()));
            const float v = 1.0f - static_cast<float>(stack) / static_cast<float>(stacks);
            const bool pole = stack == 0 || stack == stacks;
            const int count = pole ? segments : segments + 1;
            for (int segment = 0; segment < count; ++segment)
            {
                const float u = (static_cast<float>(segment) + (pole ? 0.5f : 0.0f)) / static_cast<float>(segments);
                coordinates.push_back({u, -v, 0.0f});
            }
        }
    }

    [[nodiscard]] int PositionIndex(int stack, int segment) const
    {
        if (stack == 0)
            return 0;
        if (stack == stacks)
            return static_cast<int>(positions.size()) - 1;
        return 1 + (stack - 1) * segments + segment % segments;
    }

    [[nodiscard]] Index Corner(int stack, int segment) const
    {
        Index index;
        index.vertex = PositionIndex(stack, segment);
        index.texture = coordinateStart[static_cast<std::size_t>(stack)] + segment;
        return index;
    }

    void AddFaces(std::vector<Face>& faces, int stack, int segment) const
    {
        const Index bottomLeft = Corner(stack + 1, segment);
        const Index bottomRight = Corner(stack + 1, segment + 1);
        const Index topLeft = Corner(stack, segment);
        const Index topRight = Corner(stack, segment + 1);
        if (stack == 0)
            faces.push_back(Face{{bottomLeft, bottomRight, topLeft}});
        else if (stack == stacks - 1)
            faces.push_back(Face{{Corner(stacks, segment), topRight, topLeft}});
        else
        {
            faces.push_back(Face{{bottomLeft, bottomRight, topRight}});
            faces.push_back(Face{{bottomLeft, topRight, topLeft}});
        }
    }

    float radius;
    int segments;
    int stacks;
    std::vector<VertexRecord> positions;
    std::vector<VertexRecord> coordinates;
    std::vector<int> coordinateStart;
};

} // namespace

std::shared_ptr<IndexedVertices> UvSphere::Build(float radius, int segments, int stacks)
{
    if (segments < 3 || stacks < 2)
        throw std::invalid_argument("A sphere needs at least 3 segments and 2 stacks");
    return Layout(radius, segments, stacks).Build();
}

} // namespace Quarnel::GameEngine2D::Video::Data
