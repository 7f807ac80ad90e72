#include "app/DataPaths.h"

#include "../Common/TempFolder.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace Zandrel::Tests
{
namespace
{

namespace fs = std::filesystem;
using Quarnel::Common::Tests::TempFolder;

// An installed program: <root>/prefix/bin/ holds the executable and <root>/prefix/share/zandrel/daten its data;
// it runs in <root>/work.
class DataPathsTest : public ::testing::Test
{
protected:
    DataPathsTest()
    {
        fs::create_directories(Root() / "prefix" / "bin");
        fs::create_directories(Root() / "work");
        environment = {.workingFolder = Root() / "work",
                       .workingFolderWritable = true,
                       .executableFolder = Root() / "prefix" / "bin",
                       .home = (Root() / "home").string(),
                       .xdgConfigHome = {},
                       .xdgDataHome = {}};
    }

    [[nodiscard]] fs::path Root() const { return fs::path(folder.File("")); }

    TempFolder folder;
    DataPaths::Environment environment;
};

TEST_F(DataPathsTest, DataComeFromTheWorkingDirectoryFirstThenFromBesideTheExecutable)
{
    try
    {
        (void)DataPaths(environment).FindDataPrefix();
        FAIL() << "no data folder anywhere, yet one was found";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_THAT(error.what(), ::testing::HasSubstr((Root() / "work" / "daten").string()));
        EXPECT_THAT(error.what(), ::testing::HasSubstr((Root() / "prefix" / "share" / "zandrel" / "daten").string()));
    }

    fs::create_directories(Root() / "prefix" / "share" / "zandrel" / "daten");
    EXPECT_EQ(DataPaths(environment).FindDataPrefix(), (Root() / "prefix" / "share" / "zandrel" / "").string());

    // The working directory's copy wins, and the file names stay relative.
    fs::create_directories(Root() / "work" / "daten");
    EXPECT_EQ(DataPaths(environment).FindDataPrefix(), "");
}

TEST_F(DataPathsTest, SettingsComeFromTheWorkingDirectoryFirstThenFromTheUsersConfiguration)
{
    EXPECT_EQ(DataPaths(environment).FindSettingsFile(), Root() / "home" / ".config" / "zandrel" / "settings.txt");
    environment.xdgConfigHome = (Root() / "config").string();
    EXPECT_EQ(DataPaths(environment).FindSettingsFile(), Root() / "config" / "zandrel" / "settings.txt");
    folder.Write("work/settings.txt", "[Game]\n");
    EXPECT_EQ(DataPaths(environment).FindSettingsFile(), "settings.txt");
}

TEST_F(DataPathsTest, UserFilesGoUnderTheWorkingDirectoryOnlyWhenItIsWritable)
{
    EXPECT_EQ(DataPaths(environment).UserFolder("screenshots"), "screenshots");
    environment.workingFolderWritable = false;
    EXPECT_EQ(DataPaths(environment).UserFolder("saves"), Root() / "home" / ".local/share" / "zandrel" / "saves");
    environment.xdgDataHome = (Root() / "data").string();
    EXPECT_EQ(DataPaths(environment).UserFolder("screenshots"), Root() / "data" / "zandrel" / "screenshots");
}

} // namespace
} // namespace Zandrel::Tests
