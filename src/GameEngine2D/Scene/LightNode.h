#pragma once

#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Video/Data/Forward.h"

#include <array>
#include <memory>
#include <optional>

namespace Quarnel::GameEngine2D::Scene
{

// One OpenGL light (light 0 + lightIndex), switched on and set every frame in the node's frame of reference. A new
// light is directional, shining along (0, 0, 1), without attenuation and without colours (black).
class LightNode final : public Node
{
public:
    LightNode(std::string nodeName, Common::Point3D nodePosition, int index);

    void DisposeNode(IGameEngine& gameEngine) override;
    void UpdateNode(IGameEngine& gameEngine) override;

    [[nodiscard]] virtual std::shared_ptr<Video::Data::LightColors> GetColors() const;
    virtual void SetColors(std::shared_ptr<Video::Data::LightColors> value);
    // Homogeneous position: w = 0 makes a directional light, w = 1 a positional one.
    virtual void SetLightPosition(const std::array<float, 4>& value);
    // Makes the light a spot light shining in this direction.
    virtual void SetSpotDirection(Common::Point3D value);
    // Degrees.
    virtual void SetSpotCutoff(float value);
    virtual void SetSpotExponent(float value);
    virtual void SetConstantAttenuation(float value);
    virtual void SetLinearAttenuation(float value);
    virtual void SetQuadraticAttenuation(float value);

    [[nodiscard]] int GetLightIndex() const { return lightIndex; }
    [[nodiscard]] const std::array<float, 4>& GetLightPosition() const { return lightPosition; }
    [[nodiscard]] std::optional<Common::Point3D> GetSpotDirection() const { return spotDirection; }
    [[nodiscard]] float GetSpotCutoff() const { return spotCutoff; }
    [[nodiscard]] float GetSpotExponent() const { return spotExponent; }
    // (constant, linear, quadratic).
    [[nodiscard]] std::array<float, 3> GetAttenuation() const
    {
        return {constantAttenuation, linearAttenuation, quadraticAttenuation};
    }

private:
    int lightIndex;
    std::shared_ptr<Video::Data::LightColors> colors;
    std::array<float, 4> lightPosition{0.0f, 0.0f, 1.0f, 0.0f};
    std::optional<Common::Point3D> spotDirection;
    float spotCutoff = 60.0f;
    float spotExponent = 60.0f;
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
};

} // namespace Quarnel::GameEngine2D::Scene
