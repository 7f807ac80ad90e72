#pragma once

#include "Common/DataTypes/WInteger.h"
#include "GameEngine2D/Animation/Animation.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace Quarnel::GameEngine2D::Animation
{

// Calls a callback with the elapsed time on every clock step, or at most once per interval when one is set.
class CustomAnimation final : public Animation
{
public:
    using Callback = std::function<void(std::uint32_t elapsed)>;

    explicit CustomAnimation(Callback onStep, std::optional<Common::DataTypes::WInteger> callInterval = std::nullopt);

protected:
    void OnStart() override;
    void Animate(std::uint32_t value) override;
    void OnStop() override;

public:
    // At most one call per this many milliseconds of elapsed time from now on.
    virtual void SetInterval(int milliseconds);

private:
    Callback callback;
    std::optional<Common::DataTypes::WInteger> interval;
    std::uint32_t lastCall = 0;
};

} // namespace Quarnel::GameEngine2D::Animation
