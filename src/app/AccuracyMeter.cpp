#include "app/AccuracyMeter.h"

#include "GameEngine2D/Helper/InfoFrame.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "app/SimulationStatus.h"
#include "app/System/Item.h"
#include "app/System/SolarSystem.h"

#include <fmt/format.h>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Point3D;

constexpr std::array<const char*, 4> LineNames = {"simTimeInfo", "simSpeedInfo", "energyInfo", "momentumInfo"};

// "×8", "×1", "×1/8".
std::string SpeedText(int exponent)
{
    if (exponent >= 0)
        return "×" + std::to_string(1u << static_cast<unsigned>(exponent));
    return "×1/" + std::to_string(1u << static_cast<unsigned>(-exponent));
}

} // namespace

AccuracyMeter::AccuracyMeter(Quarnel::GameEngine2D::Helper::InfoFrame& overlay,
                             Quarnel::GameEngine2D::Scene::Scene& panelScene,
                             const std::shared_ptr<Quarnel::GameEngine2D::Video::Font>& font,
                             const System::SolarSystem& system) :
    EmptyNode("accuracyInfo", Point3D(0.0f, overlay.GetLinesHeight(), 0.0f), std::nullopt),
    solarSystem(system),
    statistics(overlay)
{
    float y = 0.0f;
    for (std::size_t index = 0; index < LineCount; ++index)
    {
        lines.at(index) =
            panelScene.GetNodeFactory().CreateTextNode(LineNames.at(index), Point3D(0.0f, y, 0.0f), font, "");
        AddChild(lines.at(index));
        y += lines.at(index)->GetSize().value_or(Point3D()).Y();
    }
    seen = Current();
    reference = System::Conservation::Measure(solarSystem);
    Refresh();
    refreshed = overlay.OnRefresh().Subscribe([this] { Refresh(); });
    beforePhysics = solarSystem.GetScene().OnBeforePhysics().Subscribe([this] { Watch(); });
}

AccuracyMeter::Signature AccuracyMeter::Current() const
{
    const auto& items = solarSystem.GetItems();
    return {items.size(), items.empty() ? std::uint16_t{0} : items.back()->GetId(),
            solarSystem.GetGravities().IsSimpleMode(), solarSystem.GetGravities().GetFactor()};
}

void AccuracyMeter::Watch()
{
    const Signature now = Current();
    if (now == seen)
        return;
    seen = now;
    reference = System::Conservation::Measure(solarSystem);
}

void AccuracyMeter::Refresh()
{
    if (!statistics.IsVisible())
        return;
    const Quarnel::GameEngine2D::Physics::SimulationClock& clock = solarSystem.GetScene().GetWorld().GetClock();
    lines.at(Time)->SetText(SimulationStatus::TimeText(clock.GetTime()));
    lines.at(Speed)->SetText("Tempo " + SpeedText(clock.GetSpeedExponent()) + (clock.IsPaused() ? " (Pause)" : "") +
                             ", Schritte im letzten Bild: " + std::to_string(clock.GetStepsInLastFrame()));
    // A change not yet seen by the physics has no reference yet: it shows no drift.
    const System::Conservation::Totals now = Current() == seen ? System::Conservation::Measure(solarSystem) : reference;
    lines.at(Energy)->SetText(EnergyText(System::Conservation::RelativeEnergyDrift(reference, now)));
    lines.at(Momentum)->SetText(MomentumText(System::Conservation::RelativeMomentumDrift(reference, now)));
}

std::string AccuracyMeter::EnergyText(double relativeDrift)
{
    return fmt::format("Energie ∆E/E {:.1e}", relativeDrift);
}

std::string AccuracyMeter::MomentumText(double relativeDrift)
{
    return fmt::format("Impuls |∆p|/∑m|v| {:.1e}", relativeDrift);
}

} // namespace Zandrel
