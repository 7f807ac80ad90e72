#include "app/System/SolarSystem.h"

#include "Common/MyLog.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Video/Data/IndexedVertices.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Material.h"
#include "app/System/Item.h"
#include "app/System/Planet.h"
#include "app/System/SphereDetail.h"
#include "app/System/Sun.h"

#include <stdexcept>
#include <utility>

namespace Zandrel::System
{

namespace
{

using Quarnel::Common::Point3D;

const Point3D Origin(0.0f, 0.0f, 0.0f);
// The gravity of the bodies alone moves them: no drag, no uniform pull, simulated time runs at real speed and each
// frame is one step.
constexpr float NoFriction = 0.0f;
constexpr float RealTime = 1.0f;
constexpr std::int32_t OneStepPerFrame = 1;
constexpr float GravityFactor = 0.1f;

} // namespace

SolarSystem::SolarSystem(std::string systemName, Quarnel::GameEngine2D::Scene::Scene& ownerScene) :
    EmptyNode(std::move(systemName), Origin, Origin),
    scene(ownerScene)
{
    LoadSphereMesh();
    ConfigureWorld();
    sunImage = scene.GetGameEngine().GetVideoEngine().GetImages().CreateSurfaceFromFile(Sun::TextureFile, true);
}

SolarSystem::~SolarSystem() = default;

void SolarSystem::LoadSphereMesh()
{
    Quarnel::GameEngine2D::Video::Engine& video = scene.GetGameEngine().GetVideoEngine();
    const std::shared_ptr<Quarnel::GameEngine2D::Video::Data::IndexedVertices> model =
        video.GetMeshFiles().LoadMesh(SphereFile);
    // Flat normals whatever the file gives, so every body is shaded alike.
    model->ComputeFaceNormals();
    // Unlike a static mesh from the model file reader, the model may have several groups; the first one's material is
    // used.
    const auto& groups = model->GetFaceGroups();
    if (groups.empty() || !groups.front().material)
        throw std::runtime_error(std::string("Das Kugelmodell ") + SphereFile + " hat kein Material");
    const auto material = std::make_shared<Quarnel::GameEngine2D::Video::Material>(*groups.front().material);
    sphereMesh = std::make_shared<Quarnel::GameEngine2D::Video::Data::MeshData>(
        model->CreateBuffers(video.GetVertexBuffers()), material);
    detail = std::make_unique<SphereDetail>(video, *model, sphereMesh->GetBuffers());
}

void SolarSystem::ConfigureWorld()
{
    Quarnel::GameEngine2D::Physics::World& world = scene.GetWorld();
    world.SetFriction(NoFriction);
    world.SetTimeFactor(RealTime);
    world.SetSubSteps(OneStepPerFrame);
    world.SetGravity(Origin);
    gravities = world.CreateGravities();
    gravities->SetFactor(GravityFactor);
    // The distance-independent law is the start state; the panel's check box switches to the inverse-square one.
    gravities->SetSimpleMode(true);
}

template <typename Kind>
std::shared_ptr<Kind> SolarSystem::AddBody(const std::string& bodyName, Point3D bodyPosition, float bodyMass,
                                           float bodySize)
{
    // Unsigned 16-bit arithmetic: after 65535 comes 0.
    ++lastId;
    auto body = std::make_shared<Kind>(bodyName, bodyPosition, bodyMass, *this, lastId, bodySize);
    items.push_back(body);
    AddChild(body);
    return body;
}

std::shared_ptr<Sun> SolarSystem::AddSun(const std::string& bodyName, Point3D bodyPosition, float bodyMass,
                                         float bodySize)
{
    return AddBody<Sun>(bodyName, bodyPosition, bodyMass, bodySize);
}

std::shared_ptr<Planet> SolarSystem::AddPlanet(const std::string& bodyName, Point3D bodyPosition, float bodyMass,
                                               float bodySize)
{
    return AddBody<Planet>(bodyName, bodyPosition, bodyMass, bodySize);
}

Quarnel::GameEngine2D::Scene::Scene& SolarSystem::GetScene() const
{
    return scene;
}

Quarnel::GameEngine2D::Physics::MassGravities& SolarSystem::GetGravities() const
{
    return *gravities;
}

std::shared_ptr<Quarnel::GameEngine2D::Video::Data::MeshData> SolarSystem::CreateSphereMesh() const
{
    return std::make_shared<Quarnel::GameEngine2D::Video::Data::MeshData>(
        sphereMesh->GetBuffers(), std::make_shared<Quarnel::GameEngine2D::Video::Material>(*sphereMesh->GetMaterial()));
}

const std::vector<std::shared_ptr<Item>>& SolarSystem::GetItems() const
{
    return items;
}

std::shared_ptr<Item> SolarSystem::FindItem(std::uint16_t itemId) const
{
    for (const std::shared_ptr<Item>& item : items)
    {
        if (item->GetId() == itemId)
            return item;
    }
    return nullptr;
}

void SolarSystem::UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    detail->BeginFrame(gameEngine.GetVideoEngine());
}

void SolarSystem::EndUpdate(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    // Still in this node's transform and transparency, which the batched bodies share.
    detail->DrawBatches(gameEngine.GetVideoEngine());
    EmptyNode::EndUpdate(gameEngine);
}

void SolarSystem::DisposeNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    if (sunImage)
        gameEngine.GetVideoEngine().GetImages().FreeSurfaces(*std::exchange(sunImage, nullptr));
}

} // namespace Zandrel::System
