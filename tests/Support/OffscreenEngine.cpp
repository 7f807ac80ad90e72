#include "Support/OffscreenEngine.h"

namespace Quarnel::TestSupport
{

GameEngine2D::Video::VideoSettings ProgramVideoSettings()
{
    return GameEngine2D::Video::VideoSettings({1024.0f, 768.0f}, 32, false, 1024);
}

OffscreenEngine::OffscreenEngine(const GameEngine2D::Video::VideoSettings& settings) :
    engine(std::make_unique<GameEngine2D::GameEngine>(settings, "Zandrel test", nullptr))
{
}

OffscreenEngine::~OffscreenEngine()
{
    Dispose();
}

void OffscreenEngine::Dispose()
{
    engine->Dispose();
}

} // namespace Quarnel::TestSupport
