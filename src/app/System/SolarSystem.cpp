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
#include "app/System/BodyMerger.h"
#include "app/System/Item.h"
#include "app/System/Planet.h"
#include "app/System/Sphere.h"
#include "app/System/SphereDetail.h"
#include "app/System/Sun.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <utility>

namespace Zandrel::System
{

namespace
{

using Quarnel::Common::Point3D;

const Point3D Origin(0.0f, 0.0f, 0.0f);
// The gravity of the bodies alone moves them: no drag, no uniform pull.
constexpr float NoFriction = 0.0f;
constexpr float RealTime = 1.0f;
constexpr std::int32_t OneStepPerFrame = 1;
constexpr float GravityFactor = 0.1f;
// From this many bodies on, the pairs of the gravity are shared out over every processor core; below it, waking
// the other threads costs more than it saves, and the forces stay bit for bit those of the pair-by-pair walk.
constexpr std::size_t ParallelGravityBodies = 1000;

} // namespace

SolarSystem::SolarSystem(std::string systemName, Quarnel::GameEngine2D::Scene::Scene& ownerScene,
                         std::string dataPrefix) :
    EmptyNode(std::move(systemName), Origin, Origin),
    scene(ownerScene),
    dataFolder(std::move(dataPrefix))
{
    LoadSphereMesh();
    ConfigureWorld();
    merger = std::make_unique<BodyMerger>(*this, [this] {
        announcingMerge = true;
        changing.Call();
        announcingMerge = false;
    });
    sunImage =
        scene.GetGameEngine().GetVideoEngine().GetImages().CreateSurfaceFromFile(DataFile(Sun::TextureFile), true);
}

SolarSystem::~SolarSystem() = default;

void SolarSystem::LoadSphereMesh()
{
    Quarnel::GameEngine2D::Video::Engine& video = scene.GetGameEngine().GetVideoEngine();
    const std::shared_ptr<Quarnel::GameEngine2D::Video::Data::IndexedVertices> model =
        video.GetMeshFiles().LoadMesh(DataFile(SphereFile));
    // Flat normals whatever the file gives, so every body is shaded alike.
    model->ComputeFaceNormals();
    // Unlike a static mesh from the model file reader, the model may have several groups; the first one's material is
    // used.
    const auto& groups = model->GetFaceGroups();
    if (groups.empty() || !groups.front().material)
        throw std::runtime_error("Das Kugelmodell " + DataFile(SphereFile) + " hat kein Material");
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
    // Fixed steps of simulated time whatever the frame rate; a = 60 × F / m keeps the feel the sandbox had when
    // every frame of a 60 Hz screen changed the speed by F / m.
    world.UseFixedSteps(AccelerationPerForce);
    gravities = world.CreateGravities();
    gravities->SetFactor(GravityFactor);
    // The distance-independent law is the start state; the panel's check box switches to the inverse-square one.
    gravities->SetSimpleMode(true);
}

template <typename Kind>
std::shared_ptr<Kind> SolarSystem::AddBody(const std::string& bodyName, Point3D bodyPosition, float bodyMass,
                                           float bodySize)
{
    changing.Call();
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

std::shared_ptr<Sphere> SolarSystem::RestoreBody(bool isSun, const std::string& bodyName, Point3D bodyPosition,
                                                 float bodyMass, float bodySize, std::uint16_t bodyId)
{
    const std::uint16_t largest = std::max(lastId, bodyId);
    lastId = static_cast<std::uint16_t>(bodyId - 1u);
    std::shared_ptr<Sphere> body;
    if (isSun)
        body = AddBody<Sun>(bodyName, bodyPosition, bodyMass, bodySize);
    else
        body = AddBody<Planet>(bodyName, bodyPosition, bodyMass, bodySize);
    lastId = largest;
    return body;
}

bool SolarSystem::RemoveBody(const std::shared_ptr<Item>& body)
{
    const auto found = std::ranges::find(items, body);
    if (!body || found == items.end())
        return false;
    changing.Call();
    items.erase(found);
    body->Dispose(scene.GetGameEngine());
    DropChildren({body});
    bodyRemoved.Call(body->GetId());
    return true;
}

void SolarSystem::RemoveAll()
{
    std::vector<std::shared_ptr<Item>> dropped = std::move(items);
    items.clear();
    for (const std::shared_ptr<Item>& body : dropped)
        body->Dispose(scene.GetGameEngine());
    DropChildren(dropped);
    lastId = 0;
    for (const std::shared_ptr<Item>& body : dropped)
        bodyRemoved.Call(body->GetId());
}

void SolarSystem::DropChildren(const std::vector<std::shared_ptr<Item>>& dropped)
{
    std::vector<const Node*> gone;
    gone.reserve(dropped.size());
    for (const std::shared_ptr<Item>& body : dropped)
        gone.push_back(body.get());
    std::ranges::sort(gone);
    const NodeList kept = GetChildren();
    ClearChildren();
    for (const std::shared_ptr<Node>& child : kept)
    {
        if (!std::ranges::binary_search(gone, static_cast<const Node*>(child.get())))
            AddChild(child);
    }
}

bool SolarSystem::ChangeBody(const std::shared_ptr<Sphere>& body, const BodyChange& change)
{
    if (!body || std::ranges::find(items, body) == items.end())
        return false;
    changing.Call();
    if (change.mass)
        body->SetMass(*change.mass);
    if (change.size)
        body->SetBodySize(*change.size);
    // The point mass takes a position set from outside as its own at its next step.
    if (change.position)
        body->MoveTo(*change.position);
    if (change.velocity)
        body->SetVelocity(*change.velocity);
    return true;
}

void SolarSystem::SetInverseSquareLaw(bool on)
{
    if (gravities->IsSimpleMode() != on)
        return;
    changing.Call();
    gravities->SetSimpleMode(!on);
}

void SolarSystem::SetMerging(bool on)
{
    if (merger->IsOn() == on)
        return;
    changing.Call();
    merger->SetOn(on);
}

bool SolarSystem::IsMerging() const
{
    return merger->IsOn();
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
    // Decided once per frame for the steps of the next one: the threads start or stop only when the count of
    // bodies crosses the line.
    const bool shared = items.size() >= ParallelGravityBodies;
    if (shared != gravityShared)
    {
        gravities->SetThreadCount(shared ? 0 : 1);
        gravityShared = shared;
    }
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
