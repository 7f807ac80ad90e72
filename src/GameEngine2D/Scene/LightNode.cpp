#include "GameEngine2D/Scene/LightNode.h"

#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Engine.h"

namespace Quarnel::GameEngine2D::Scene
{

LightNode::LightNode(std::string nodeName, Common::Point3D nodePosition, int index) :
    Node(std::move(nodeName), nodePosition, std::nullopt),
    lightIndex(index)
{
}

void LightNode::DisposeNode(IGameEngine&) {}

void LightNode::UpdateNode(IGameEngine& gameEngine)
{
    Video::Engine& video = gameEngine.GetVideoEngine();
    // A light without colours shines black (the colours' defaults) rather than failing.
    static const Video::Data::LightColors noColors;
    video.SetLight(lightIndex, colors ? *colors : noColors, lightPosition, constantAttenuation, linearAttenuation,
                   quadraticAttenuation);
    video.EnableLight(lightIndex, true);
    if (spotDirection)
        video.SetSpotLight(lightIndex, *spotDirection, spotCutoff, spotExponent);
}

std::shared_ptr<Video::Data::LightColors> LightNode::GetColors() const
{
    return colors;
}

void LightNode::SetColors(std::shared_ptr<Video::Data::LightColors> value)
{
    colors = std::move(value);
}

void LightNode::SetLightPosition(const std::array<float, 4>& value)
{
    lightPosition = value;
}

void LightNode::SetSpotDirection(Common::Point3D value)
{
    spotDirection = value;
}

void LightNode::SetSpotCutoff(float value)
{
    spotCutoff = value;
}

void LightNode::SetSpotExponent(float value)
{
    spotExponent = value;
}

void LightNode::SetConstantAttenuation(float value)
{
    constantAttenuation = value;
}

void LightNode::SetLinearAttenuation(float value)
{
    linearAttenuation = value;
}

void LightNode::SetQuadraticAttenuation(float value)
{
    quadraticAttenuation = value;
}

} // namespace Quarnel::GameEngine2D::Scene
