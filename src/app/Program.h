#pragma once

#include "GameEngine2D/Forward.h"
#include "GameEngine2D/Video/VideoSettings.h"
#include "app/GameStart.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace Zandrel
{

// Registers the game's scenes with a freshly built engine: the 3D game scene first, then its control panel.
using SceneBuilder = std::function<void(Quarnel::GameEngine2D::GameEngine& engine, const GameStart& start)>;

// Everything start-up takes from outside. The defaults are the program's own values; the tests change them.
struct ProgramOptions
{
    // Missing or broken, it leaves the information log off. Unset: the working directory's "settings.txt", else the
    // user's configuration file.
    std::optional<std::string> settingsFile;
    // 1024 × 768 pixels, 32 bits per pixel, windowed, textures at most 1024 pixels on a side.
    Quarnel::GameEngine2D::Video::VideoSettings videoSettings{{1024.0f, 768.0f}, 32, false, 1024};
    // Window title, also the name of the game scene.
    std::string title = "Zandrel";
    // Builds the game scene; runs after the engine stands and before the main loop.
    SceneBuilder buildScenes;
    // The system file named on the command line, handed to the game.
    std::optional<std::filesystem::path> startFile;
};

// The game scene of Zandrel, built on `engine`; it registers its scenes with the engine itself.
void BuildGameScene(Quarnel::GameEngine2D::GameEngine& engine, const GameStart& start);

// The whole program: settings → data folder → video settings → engine → game scene → main loop → shut-down. Every
// failure is logged and ends the run; the result is always 0.
int RunProgram(const ProgramOptions& options);

} // namespace Zandrel
