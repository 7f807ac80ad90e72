#include "GameEngine2D/Animation/AnimationFade.h"

#include "Common/Helper.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace Quarnel::GameEngine2D::Animation
{

namespace
{

constexpr float Opaque = 255.0f;
// Milliseconds per opacity unit in a fade of one second (1000 / 255).
constexpr float MillisecondsPerLevel = 3.9215686f;

} // namespace

AnimationFade::AnimationFade() : Animation(false) {}

void AnimationFade::OnStart()
{
    lastTime = 0.0f;
    level = 0.0f;
    started = false;
    locked = false;
}

void AnimationFade::Animate(std::uint32_t value)
{
    if (level >= Opaque)
        return;
    if (!started)
    {
        if (nodeIn)
            nodeIn->SetVisible(true);
        started = true;
        locked = true;
    }
    const float now = static_cast<float>(value);
    level += (now - lastTime) / MillisecondsPerLevel / fadeSpeed;
    lastTime = now;
    if (level > Opaque)
        level = Opaque;
    // level stays within 0..255 (fadeSpeed > 0 and the clock never runs backwards), so the casts are exact.
    if (nodeIn)
        nodeIn->SetAlpha(static_cast<int>(level));
    if (nodeOut)
        nodeOut->SetAlpha(static_cast<int>(Opaque - level));
    if (level == Opaque)
    {
        if (nodeOut)
            nodeOut->SetVisible(false);
        Stop();
        if (finished)
            finished();
    }
}

void AnimationFade::OnStop()
{
    locked = false;
}

float AnimationFade::GetFadeSpeed() const
{
    return fadeSpeed;
}

void AnimationFade::SetFadeSpeed(float seconds)
{
    // Written as "not above 0" so that NaN is refused as well.
    if (!(seconds > 0.0f))
        throw std::invalid_argument("Ungültiger Wert: " + Common::Helper::FloatToString(seconds) + " für fadeSpeed");
    fadeSpeed = seconds;
}

std::shared_ptr<Common::IFadeable> AnimationFade::GetNodeIn() const
{
    return nodeIn;
}

void AnimationFade::SetNodeIn(std::shared_ptr<Common::IFadeable> fadedIn)
{
    RefuseWhileLocked();
    nodeIn = std::move(fadedIn);
}

std::shared_ptr<Common::IFadeable> AnimationFade::GetNodeOut() const
{
    return nodeOut;
}

void AnimationFade::SetNodeOut(std::shared_ptr<Common::IFadeable> fadedOut)
{
    RefuseWhileLocked();
    nodeOut = std::move(fadedOut);
}

void AnimationFade::SetFinished(Finished onFinished)
{
    finished = std::move(onFinished);
}

void AnimationFade::RefuseWhileLocked() const
{
    if (locked)
        throw std::runtime_error("Node kann nicht gesetzt, fading ist aktiv");
}

} // namespace Quarnel::GameEngine2D::Animation
