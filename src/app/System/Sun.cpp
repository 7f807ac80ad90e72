#include "app/System/Sun.h"

#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Video/Texture.h"
#include "app/System/SolarSystem.h"

#include <stdexcept>
#include <utility>

namespace Zandrel::System
{

Sun::Sun(std::string itemName, Quarnel::Common::Point3D itemPosition, float massValue, SolarSystem& owner,
         std::uint16_t itemId, float bodySize) :
    Sphere(std::move(itemName), itemPosition, massValue, owner, itemId, bodySize)
{
    ShowMesh(CreateMeshNode(owner));
    SetAmbient(SunAmbient);
}

void Sun::SetHighlight(bool on)
{
    SetAmbient(on ? HighlightAmbient : SunAmbient);
}

std::shared_ptr<Quarnel::GameEngine2D::Scene::StaticMeshNode> Sun::CreateMeshNode(SolarSystem& owner)
{
    const std::shared_ptr<Quarnel::GameEngine2D::Video::Data::MeshData> mesh = owner.CreateSphereMesh();
    Quarnel::GameEngine2D::Scene::Scene& scene = owner.GetScene();
    // The image comes from the image cache, where the solar system keeps it from start-up on.
    const std::string file = owner.DataFile(TextureFile);
    texture = scene.GetGameEngine().GetVideoEngine().GetImages().CreateTextureFromFile(file, true);
    // The image loader has written why; a sun without its texture would be a plain planet.
    if (!texture)
        throw std::runtime_error("Textur kann nicht geladen werden: " + file);
    mesh->GetMaterial()->SetTexture(texture);
    return scene.GetNodeFactory().CreateStaticMeshNode("sun_01", Quarnel::Common::Point3D(0.0f, 0.0f, 0.0f), mesh);
}

void Sun::DisposeNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    Sphere::DisposeNode(gameEngine);
    if (texture)
        gameEngine.GetVideoEngine().GetImages().FreeTexture(*std::exchange(texture, nullptr));
}

} // namespace Zandrel::System
