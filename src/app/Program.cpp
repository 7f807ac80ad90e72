#include "app/Program.h"

#include "Common/GameUtil/ConfigFile.h"
#include "Common/MyLog.h"
#include "GameEngine2D/GameEngine.h"
#include "app/DataPaths.h"
#include "app/Game.h"

#include <exception>

namespace Zandrel
{

namespace
{

using Quarnel::Common::MyLog;

// Switches the information lines of the log by "showLog" of group "Game". Reading the file never ends the
// program: the reader handles broken files itself, and anything it still lets through leaves the log off.
void ApplyLogSetting(const std::string& settingsFile)
{
    try
    {
        Quarnel::Common::GameUtil::ConfigFile config(settingsFile);
        MyLog::SetShowLog(config.GetGroup("Game").GetData("showLog", "0").AsBool());
    }
    catch (const std::exception& error)
    {
        MyLog::Warning("Error reading " + settingsFile + ": " + error.what());
    }
    catch (...)
    {
        MyLog::Warning("Error reading " + settingsFile);
    }
}

void ReportFailure(const std::string& message)
{
    // A failure that ends start-up must be seen even with the information log off, or the program would
    // close without a word.
    MyLog::Warning("Unerklärlicher Fehler im Programm:\n" + message);
}

} // namespace

void BuildGameScene(Quarnel::GameEngine2D::GameEngine& engine, const GameStart& start)
{
    // The game scene builds the 3D scene and the control-panel scene and registers both with the engine, the 3D
    // scene first. The engine's scene list owns them; nothing here keeps a reference.
    Game::Create(engine, start);
}

int RunProgram(const ProgramOptions& options)
{
    try
    {
        const DataPaths paths(DataPaths::Environment::OfThisProcess());
        ApplyLogSetting(options.settingsFile.value_or(paths.FindSettingsFile().string()));
        // Looked for before the window opens: without data there is nothing to show.
        const std::string dataPrefix = paths.FindDataPrefix();
        GameStart start{.dataPrefix = dataPrefix,
                        .screenshotFolder = paths.UserFolder("screenshots"),
                        .saveFolder = paths.UserFolder("saves"),
                        .presetFolder = dataPrefix + "presets",
                        .startFile = options.startFile};
        Quarnel::GameEngine2D::GameEngine engine(options.videoSettings, options.title, nullptr);
        if (options.buildScenes)
            options.buildScenes(engine, start);
        engine.Run();
        engine.Dispose();
    }
    catch (const std::exception& error)
    {
        ReportFailure(error.what());
    }
    catch (...)
    {
        ReportFailure("unknown exception");
    }
    return 0;
}

} // namespace Zandrel
