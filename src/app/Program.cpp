#include "app/Program.h"

#include "Common/GameUtil/ConfigFile.h"
#include "Common/MyLog.h"
#include "GameEngine2D/GameEngine.h"
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

void BuildGameScene(Quarnel::GameEngine2D::GameEngine& engine)
{
    // The game scene builds the 3D scene and the control-panel scene and registers both with the engine, the 3D
    // scene first. The engine's scene list owns them; nothing here keeps a reference.
    Game::Create(engine);
}

int RunProgram()
{
    ProgramOptions options;
    options.buildScenes = BuildGameScene;
    return RunProgram(options);
}

int RunProgram(const ProgramOptions& options)
{
    try
    {
        ApplyLogSetting(options.settingsFile);
        Quarnel::GameEngine2D::GameEngine engine(options.videoSettings, options.title, nullptr);
        if (options.buildScenes)
            options.buildScenes(engine);
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
