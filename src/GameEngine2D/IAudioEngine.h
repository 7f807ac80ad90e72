#pragma once

namespace Quarnel::GameEngine2D
{

// Sound for the engine. The program has none; an audio engine handed to GameEngine is updated once per frame
// before drawing and disposed once at shut-down.
class IAudioEngine
{
public:
    IAudioEngine() = default;
    IAudioEngine(const IAudioEngine&) = delete;
    IAudioEngine& operator=(const IAudioEngine&) = delete;
    virtual ~IAudioEngine() = default;

    virtual void Dispose() = 0;
    virtual void Update() = 0;
};

} // namespace Quarnel::GameEngine2D
