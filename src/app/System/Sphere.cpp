#include "app/System/Sphere.h"

#include "Common/RandomNumber.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Material.h"
#include "app/System/SolarSystem.h"
#include "app/System/SphereDetail.h"

#include <cmath>
#include <stdexcept>
#include <utility>

namespace Zandrel::System
{

namespace
{

using Quarnel::Common::Point3D;

// A size of 100 shows the model at its own size.
constexpr float SizePerScaleUnit = 100.0f;

} // namespace

Sphere::Sphere(std::string itemName, Point3D itemPosition, float massValue, SolarSystem& owner, std::uint16_t itemId,
               float givenSize) :
    Item(std::move(itemName), itemPosition, massValue, owner, itemId),
    creationSize(givenSize),
    scaleFactor(givenSize / SizePerScaleUnit),
    pointMass(owner.GetScene().GetWorld().CreateMass(*this, massValue)),
    trail(Quarnel::GameEngine2D::Physics::SimulationClock::StepsPerSecond)
{
    stepping = pointMass->OnSimulate().Subscribe<&Sphere::OnStep>(this);
    owner.GetGravities().Add(pointMass);
    pointMass->SetRadius(owner.GetDetail().GetModelRadius() * std::abs(scaleFactor));
}

// The mass drives this body: it must not step once the body is gone.
Sphere::~Sphere()
{
    pointMass->Remove();
}

void Sphere::DisposeNode(Quarnel::GameEngine2D::Scene::IGameEngine& /*gameEngine*/)
{
    pointMass->Remove();
    stepping.Reset();
}

void Sphere::ShowMesh(std::shared_ptr<Quarnel::GameEngine2D::Scene::StaticMeshNode> node)
{
    meshNode = std::move(node);
    meshNode->SetScale(Point3D(scaleFactor, scaleFactor, scaleFactor));
    AddChild(meshNode);
    // r in 1..100 gives a whole number of degrees per second between -49 and 50 about the vertical axis.
    const auto r = static_cast<float>(Quarnel::Common::RandomNumber::Get(1, 100));
    spin = Point3D(0.0f, r - 50.0f, 0.0f);
}

void Sphere::SetBodySize(float bodySize)
{
    creationSize = bodySize;
    scaleFactor = bodySize / SizePerScaleUnit;
    meshNode->SetScale(Point3D(scaleFactor, scaleFactor, scaleFactor));
    pointMass->SetRadius(GetSystem().GetDetail().GetModelRadius() * std::abs(scaleFactor));
}

void Sphere::SetMass(float massValue)
{
    SetMassValue(massValue);
    pointMass->SetMass(massValue);
}

void Sphere::SetHighlight(bool on)
{
    SetAmbient(on ? HighlightAmbient : PlanetAmbient);
}

float Sphere::GetScaleFactor() const
{
    return scaleFactor;
}

Point3D Sphere::GetVelocity() const
{
    return pointMass->Speed();
}

void Sphere::SetVelocity(Point3D velocity)
{
    pointMass->SetSpeed(velocity);
}

void Sphere::MoveTo(Point3D place)
{
    SetPosition(place);
    trail.Clear();
}

void Sphere::OnStep(float dt)
{
    // The step reports the body's place before it moves; the trail keeps one in eight of them.
    trail.Step(GetPosition());
    Spin(dt);
}

void Sphere::Spin(float dt)
{
    SetRotation(GetRotation() + spin * dt);
}

void Sphere::Update(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    SphereDetail& detail = GetSystem().GetDetail();
    float meshScale = 0.0f;
    if (IsPlain(meshScale))
    {
        const int level = SphereDetail::ChooseLevel(detail.PixelRadius(GetPosition(), meshScale));
        if (level != SphereDetail::FinestLevel)
        {
            if (detail.IsOutsideView(GetPosition(), meshScale))
                return;
            const std::shared_ptr<Quarnel::GameEngine2D::Video::Material> material = meshNode->GetMesh()->GetMaterial();
            if (material && detail.Batch(level, *material, GetPosition(), GetRotation(), meshScale))
                return;
        }
    }
    // Large, with a look of its own, or no batch left for its look: the model, as the node tree draws it.
    Item::Update(gameEngine);
}

bool Sphere::IsPlain(float& meshScaleFactor) const
{
    const std::optional<Point3D> meshScale = meshNode->GetScale();
    if (!meshScale || meshScale->X() != meshScale->Y() || meshScale->X() != meshScale->Z())
        return false;
    const Point3D origin(0.0f, 0.0f, 0.0f);
    meshScaleFactor = meshScale->X();
    return GetAlpha() == 255 && !GetScale() && GetChildCount() == 1 && meshNode->IsVisible() &&
           meshNode->GetAlpha() == 255 && meshNode->GetRotation() == origin && meshNode->GetPosition() == origin &&
           meshNode->GetChildCount() == 0;
}

void Sphere::SetAmbient(Quarnel::Common::Color color)
{
    const std::shared_ptr<Quarnel::GameEngine2D::Video::Material> material = meshNode->GetMesh()->GetMaterial();
    if (!material->GetColors())
        material->SetColors(std::make_shared<Quarnel::GameEngine2D::Video::Data::LightColors>());
    material->GetColors()->ambient = color;
}

} // namespace Zandrel::System
