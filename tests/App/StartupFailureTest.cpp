#include "Common/MyLog.h"
#include "GameEngine2D/GameEngine.h"
#include "Support/LogRecorder.h"
#include "app/Program.h"

#include <SDL.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>
#include <random>
#include <string>

namespace Zandrel::Tests
{
namespace
{

namespace fs = std::filesystem;
using Quarnel::TestSupport::LogRecorder;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string FailureLine = "Unerklärlicher Fehler im Programm:\n";

// A copy of the repository's daten/ in a fresh temporary folder that becomes the working directory, as if the
// program had been installed there; a test then damages one file. The old working directory comes back at the end.
class StartupFailureTest : public ::testing::Test
{
protected:
    StartupFailureTest()
    {
        std::random_device device;
        folder = fs::temp_directory_path() / ("zandrel_startup_" + std::to_string(device()));
        fs::create_directories(folder);
        fs::copy(fs::path(QUARNEL_SOURCE_DIR) / "daten", folder / "daten", fs::copy_options::recursive);
        previous = fs::current_path();
        fs::current_path(folder);
    }

    ~StartupFailureTest() override
    {
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    static void Replace(const std::string& file, const std::string& bytes)
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    // Starts the program as its entry does; a game that did start closes its window after the first frame.
    int Start()
    {
        ProgramOptions options;
        options.settingsFile = "no-settings.txt";
        options.buildScenes = [this](Quarnel::GameEngine2D::GameEngine& engine, const GameStart& start) {
            BuildGameScene(engine, start);
            started = true;
            SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
            engine.FrameDone().Add(Quarnel::Common::Handler<>([] {
                SDL_Event quit{};
                quit.type = SDL_QUIT;
                SDL_PushEvent(&quit);
            }));
        };
        return RunProgram(options);
    }

    // The single line the entry's handler wrote, or an empty text.
    [[nodiscard]] static std::string Failure(const LogRecorder& log)
    {
        for (const std::string& text : log.Texts())
        {
            if (text.starts_with(FailureLine))
                return text;
        }
        return {};
    }

    fs::path folder;
    fs::path previous;
    bool started = false;
};

TEST_F(StartupFailureTest, AnIntactCopyOfTheDataStartsTheGame)
{
    const LogRecorder log(false);
    EXPECT_EQ(Start(), 0);
    EXPECT_TRUE(started);
    EXPECT_EQ(Failure(log), "");
}

// A sun texture whose header claims 30000 x 30000 pixels and a sphere model of 65 MiB (a sparse file) are refused
// unread: start-up ends through the entry's handler with the file and its size, as for any other broken file.
TEST_F(StartupFailureTest, OversizedDataEndsStartUpNamingFileAndSize)
{
    const std::string pngHeader("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x75\x30\0\0\x75\x30\x08\x06\0\0\0", 29);
    Replace("daten/models/sonne01.jpg", pngHeader);
    {
        const LogRecorder log(false);
        EXPECT_EQ(Start(), 0);
        EXPECT_FALSE(started);
        EXPECT_THAT(Failure(log), HasSubstr("sonne01.jpg ist 30000 x 30000 Pixel groß"));
    }
    fs::copy_file(fs::path(QUARNEL_SOURCE_DIR) / "daten/models/sonne01.jpg", "daten/models/sonne01.jpg",
                  fs::copy_options::overwrite_existing);
    fs::resize_file("daten/models/sphere.obj", 65 * 1024 * 1024);
    const LogRecorder log(false);
    EXPECT_EQ(Start(), 0);
    EXPECT_FALSE(started);
    EXPECT_THAT(Failure(log), HasSubstr("sphere.obj ist 68157440 Bytes groß, erlaubt sind höchstens 67108864 Bytes"));
}

struct Damage
{
    const char* label;
    const char* file;
    // Absent: the file is removed; otherwise it is replaced by these bytes.
    const char* bytes;
    // A piece of the reported message that names the cause.
    const char* cause;
};

// Shown as the case's label in test names and failure messages, instead of the object's bytes.
void PrintTo(const Damage& damage, std::ostream* out)
{
    *out << damage.label;
}

class DamagedDataTest : public StartupFailureTest, public ::testing::WithParamInterface<Damage>
{
};

TEST_P(DamagedDataTest, EndsStartUpThroughTheEntrysHandler)
{
    const Damage& damage = GetParam();
    if (damage.bytes == nullptr)
        fs::remove(damage.file);
    else
        Replace(damage.file, damage.bytes);

    const LogRecorder log(true);
    EXPECT_EQ(Start(), 0);
    EXPECT_FALSE(started);
    const std::string failure = Failure(log);
    EXPECT_THAT(failure, StartsWith(FailureLine));
    EXPECT_THAT(failure, HasSubstr(damage.cause));
    // Start-up ended before the main loop: the engine was never closed by Dispose.
    EXPECT_FALSE(log.Has("Closing GameEngine"));
}

INSTANTIATE_TEST_SUITE_P(
    EachFile, DamagedDataTest,
    ::testing::Values(
        Damage{"MissingSphere", "daten/models/sphere.obj", nullptr, "sphere.obj"},
        Damage{"BrokenSphere", "daten/models/sphere.obj", "mtllib sphere.mtl\nv 1 zwei 3\n", "sphere.obj"},
        Damage{"SphereWithoutMaterial", "daten/models/sphere.mtl", "# nothing\n", "sphere.obj"},
        Damage{"MissingGround", "daten/models/ground.obj", nullptr, "ground.obj"},
        Damage{"BrokenGround", "daten/models/ground.obj", "v 1 2 3\nf 1 2 9\n", "ground.obj"},
        Damage{"MissingSunTexture", "daten/models/sonne01.jpg", nullptr, "sonne01.jpg"},
        Damage{"BrokenSunTexture", "daten/models/sonne01.jpg", "\xFF\xD8\xFF\xE0 not a picture", "sonne01.jpg"},
        Damage{"MissingFont", "daten/font/vera/Vera.ttf", nullptr, "Vera.ttf"},
        Damage{"BrokenFont", "daten/font/vera/Vera.ttf", "not a font at all", "Vera.ttf"}),
    [](const ::testing::TestParamInfo<Damage>& damageInfo) { return std::string(damageInfo.param.label); });

} // namespace
} // namespace Zandrel::Tests
