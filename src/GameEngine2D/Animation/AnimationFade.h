#pragma once

#include "Common/IFadeable.h"
#include "GameEngine2D/Animation/Animation.h"

#include <functional>
#include <memory>

namespace Quarnel::GameEngine2D::Animation
{

// Cross-fades two nodes by their transparency: nodeIn goes from transparent to opaque while nodeOut goes from
// opaque to hidden. The fade takes fadeSpeed seconds of animation clock whatever the frame rate; it stops itself
// at the end and then calls `finished`. While a fade is under way its nodes cannot be replaced.
class AnimationFade final : public Animation
{
public:
    using Finished = std::function<void()>;

    AnimationFade();

protected:
    void OnStart() override;
    // value: milliseconds elapsed since the start.
    void Animate(std::uint32_t value) override;
    void OnStop() override;

public:
    [[nodiscard]] virtual float GetFadeSpeed() const;
    // seconds: duration of the whole fade; refuses anything not above 0, NaN included.
    virtual void SetFadeSpeed(float seconds);
    [[nodiscard]] virtual std::shared_ptr<Common::IFadeable> GetNodeIn() const;
    virtual void SetNodeIn(std::shared_ptr<Common::IFadeable> fadedIn);
    [[nodiscard]] virtual std::shared_ptr<Common::IFadeable> GetNodeOut() const;
    virtual void SetNodeOut(std::shared_ptr<Common::IFadeable> fadedOut);
    virtual void SetFinished(Finished onFinished);

private:
    void RefuseWhileLocked() const;

    std::shared_ptr<Common::IFadeable> nodeIn;
    std::shared_ptr<Common::IFadeable> nodeOut;
    bool started = false;
    // Set from the first step of a fade until it stops.
    bool locked = false;
    // Elapsed time of the previous step, in milliseconds.
    float lastTime = 0.0f;
    // Current opacity of nodeIn, 0 to 255.
    float level = 0.0f;
    // Seconds for the whole fade; always above 0, so a fade never divides by zero.
    float fadeSpeed = 1.0f;
    Finished finished;
};

} // namespace Quarnel::GameEngine2D::Animation
