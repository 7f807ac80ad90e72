#include "app/Program.h"

#include "Common/GameUtil/ConfigFile.h"
#include "Common/MyLog.h"
#include "GameEngine2D/GameEngine.h"
#include "Support/LogRecorder.h"

#include <SDL.h>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace
{

using Quarnel::Common::MyLog;
using Quarnel::TestSupport::LogRecorder;
using Zandrel::ProgramOptions;
using Zandrel::RunProgram;

// Start-up as the program does it, with a settings file of the test's choosing and a game scene that closes the
// window right away.
class ProgramTest : public ::testing::Test
{
protected:
    void TearDown() override { std::filesystem::remove(settingsFile); }

    void WriteSettings(const std::string& bytes)
    {
        std::ofstream out(settingsFile, std::ios::binary);
        out << bytes;
    }

    ProgramOptions Options()
    {
        ProgramOptions options;
        options.settingsFile = settingsFile.string();
        options.buildScenes = [this](Quarnel::GameEngine2D::GameEngine&, const Zandrel::GameStart& start) {
            ++scenesBuilt;
            startFile = start.startFile;
            showLogDuringRun = MyLog::IsShowLog();
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        };
        return options;
    }

    std::filesystem::path settingsFile =
        std::filesystem::temp_directory_path() / ("zandrel-settings-" + std::to_string(getpid()) + ".txt");
    int scenesBuilt = 0;
    bool showLogDuringRun = false;
    std::optional<std::filesystem::path> startFile;
};

TEST_F(ProgramTest, WithShowLogOnTheEngineLinesAppearInOrder)
{
    const LogRecorder log(false);
    WriteSettings("[Game]\r\nshowLog = 1\r\n");
    EXPECT_EQ(RunProgram(Options()), 0);
    EXPECT_EQ(scenesBuilt, 1);
    const int loading = log.IndexOf("Lade GameEngine");
    const int closing = log.IndexOf("Closing GameEngine");
    const int done = log.IndexOf("Disposing ok");
    EXPECT_GE(loading, 0);
    EXPECT_LT(loading, closing);
    EXPECT_LT(closing, done);
    EXPECT_TRUE(log.Warnings().empty());
}

TEST_F(ProgramTest, WithoutASettingsFileTheProgramRunsWithTheInformationLogOff)
{
    const LogRecorder log(false);
    EXPECT_EQ(RunProgram(Options()), 0);
    EXPECT_EQ(scenesBuilt, 1);
    EXPECT_FALSE(showLogDuringRun);
    EXPECT_TRUE(log.Texts().empty());
}

TEST_F(ProgramTest, TheFileFromTheCommandLineReachesTheGame)
{
    const LogRecorder log(false);
    ProgramOptions options = Options();
    options.startFile = "mein System.json";
    EXPECT_EQ(RunProgram(options), 0);
    EXPECT_EQ(startFile, std::filesystem::path("mein System.json"));
    EXPECT_EQ(RunProgram(Options()), 0);
    EXPECT_EQ(startFile, std::nullopt);
}

TEST_F(ProgramTest, NoBrokenSettingsFileStopsTheProgram)
{
    const std::vector<std::pair<std::string, std::string>> files{
        {"empty", ""},
        {"binary", std::string("\0\x01\xFF\xFE[Game\0]\n\x80 = \x81\n", 16)},
        {"one huge line", std::string(Quarnel::Common::GameUtil::ConfigFile::MaximumFileSize, 'x')},
        {"byte-order mark", "\xEF\xBB\xBF[Game]\nshowLog = 1\n"},
        {"data before any group", "showLog = 1\n[Game]\n"},
        {"line without separator", "[Game]\nshowLog\n"}};
    for (const auto& [what, bytes] : files)
    {
        const LogRecorder log(false);
        scenesBuilt = 0;
        WriteSettings(bytes);
        EXPECT_EQ(RunProgram(Options()), 0) << what;
        EXPECT_EQ(scenesBuilt, 1) << what;
        EXPECT_FALSE(showLogDuringRun) << what;
        EXPECT_TRUE(log.Warnings().empty()) << what;
    }
}

TEST_F(ProgramTest, AnUnsupportedColourDepthEndsStartUpVisiblyWithExitCodeZero)
{
    const LogRecorder log(false);
    ProgramOptions options = Options();
    options.videoSettings = Quarnel::GameEngine2D::Video::VideoSettings({1024.0f, 768.0f}, 24, false, 1024);
    EXPECT_EQ(RunProgram(options), 0);
    SDL_Quit();
    EXPECT_EQ(scenesBuilt, 0);
    EXPECT_EQ(log.Warnings(),
              std::vector<std::string>{"Unerklärlicher Fehler im Programm:\nUngültiger Farbmodus, Bit: 24"});
}

TEST_F(ProgramTest, AWindowThatCannotOpenEndsStartUpWithSdlsReason)
{
    const LogRecorder log(false);
    ProgramOptions options = Options();
    options.videoSettings = Quarnel::GameEngine2D::Video::VideoSettings({100000.0f, 100000.0f}, 32, false, 1024);
    EXPECT_EQ(RunProgram(options), 0);
    SDL_Quit();
    EXPECT_EQ(scenesBuilt, 0);
    const auto warnings = log.Warnings();
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_THAT(warnings[0], ::testing::StartsWith("Can't set Videomode: \n"));
    EXPECT_EQ(warnings[1], "Unerklärlicher Fehler im Programm:\n" + warnings[0]);
}

TEST_F(ProgramTest, AFailingGameSceneEndsTheProgramWithoutRunningIt)
{
    const LogRecorder log(false);
    WriteSettings("[Game]\nshowLog = 1\n");
    ProgramOptions options = Options();
    options.buildScenes = [](Quarnel::GameEngine2D::GameEngine&, const Zandrel::GameStart&) {
        throw std::runtime_error("no scene");
    };
    EXPECT_EQ(RunProgram(options), 0);
    EXPECT_EQ(log.Warnings(), std::vector<std::string>{"Unerklärlicher Fehler im Programm:\nno scene"});
    EXPECT_FALSE(log.Has("Closing GameEngine"));
}

} // namespace
