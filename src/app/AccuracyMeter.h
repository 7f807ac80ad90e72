#pragma once

#include "Common/Subscription.h"
#include "GameEngine2D/Helper/Forward.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Video/Forward.h"
#include "app/System/Conservation.h"
#include "app/System/Forward.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace Zandrel
{

// The statistics overlay's lines about the simulation, below its own: simulated time, speed and the steps of the
// last frame, and how far the total energy and momentum have drifted since the system last changed (a body came
// or went, or the gravity law was switched). Integration errors show there: a sound step keeps both drifts tiny.
//
// The reference totals are taken right before the physics of the first frame after a change, when the new body
// has its velocity and has not yet moved. The lines are rewritten whenever the overlay rewrites its own.
class AccuracyMeter final : public Quarnel::GameEngine2D::Scene::EmptyNode
{
public:
    // The meter hangs below the overlay's lines (the caller adds it to the overlay); `system` lives in
    // `system.GetScene()`, whose physics it watches. Both outlive the meter.
    AccuracyMeter(Quarnel::GameEngine2D::Helper::InfoFrame& overlay, Quarnel::GameEngine2D::Scene::Scene& panelScene,
                  const std::shared_ptr<Quarnel::GameEngine2D::Video::Font>& font, const System::SolarSystem& system);

    // Rewrites the lines from the current state while the overlay shows; hidden, it leaves them: measuring the
    // energy visits every pair of bodies, 50 million at ten thousand. Call it when the overlay appears.
    void Refresh();

    // "Energie ∆E/E 3.1e-07" and "Impuls |∆p|/∑m|v| 1.2e-05": the signed relative change of the energy and the
    // size of the momentum's change relative to the sum of the bodies' momenta. The font has the increment sign
    // ∆ and the sum sign ∑, not the Greek letters.
    [[nodiscard]] static std::string EnergyText(double relativeDrift);
    [[nodiscard]] static std::string MomentumText(double relativeDrift);

private:
    enum Line : std::size_t
    {
        Time,
        Speed,
        Energy,
        Momentum,
        LineCount
    };

    // What makes a new reference: the bodies and the law.
    struct Signature
    {
        std::size_t bodies = 0;
        std::uint16_t lastId = 0;
        bool simpleMode = true;
        float factor = 0.0f;
        bool operator==(const Signature&) const = default;
    };

    // Before each frame's physics: a changed system takes its totals as the new reference.
    void Watch();
    [[nodiscard]] Signature Current() const;

    const System::SolarSystem& solarSystem;
    // The overlay the meter hangs in.
    const Quarnel::GameEngine2D::Helper::InfoFrame& statistics;
    std::array<std::shared_ptr<Quarnel::GameEngine2D::Scene::TextNode>, LineCount> lines;
    Signature seen;
    System::Conservation::Totals reference;
    Quarnel::Common::Subscription refreshed;
    Quarnel::Common::Subscription beforePhysics;
};

} // namespace Zandrel
