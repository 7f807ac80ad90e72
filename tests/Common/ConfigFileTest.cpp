#include "Common/GameUtil/ConfigFile.h"

#include "Support/LogRecorder.h"
#include "TempFolder.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>

namespace Quarnel::Common::GameUtil
{
namespace
{

using ::testing::ElementsAre;
using LogCapture = TestSupport::LogRecorder;
using Tests::TempFolder;
using namespace std::string_literals;

// The start-up chain: group "Game", key "showLog" with default "0", read as a truth value.
bool ShowLogOf(ConfigFile& config)
{
    return config.GetGroup("Game").GetData("showLog", "0").AsBool();
}

std::vector<std::string> GroupNames(const ConfigFile& config)
{
    std::vector<std::string> names;
    for (const ConfigGroup& group : config.Groups())
        names.push_back(group.Name());
    return names;
}

class ConfigReading : public ::testing::Test
{
protected:
    ConfigFile Read(std::string_view bytes) { return ConfigFile(folder.Write("settings.txt", bytes)); }

    TempFolder folder;
};

TEST_F(ConfigReading, ShowLogFollowsTheIntegerReadingOfItsValue)
{
    ConfigFile on = Read("[Game]\nshowLog = 1\n");
    EXPECT_TRUE(ShowLogOf(on));
    ConfigFile word = Read("[Game]\nshowLog = true\n");
    EXPECT_FALSE(ShowLogOf(word));
    // Two blanks after the equals sign: the value starts with a blank and still reads 1.
    ConfigFile blankValue = Read("[Game]\nshowLog =  1\n");
    EXPECT_EQ(blankValue.GetGroup("Game").GetData("showLog", "0").Value(), " 1");
    EXPECT_TRUE(ShowLogOf(blankValue));
    // Two blanks before it: the key is "showLog " and the default is used.
    ConfigFile blankKey = Read("[Game]\nshowLog  = 1\n");
    EXPECT_FALSE(ShowLogOf(blankKey));
    EXPECT_EQ(blankKey.GetGroup("Game").Entries().front().Key(), "showLog ");
}

TEST_F(ConfigReading, CarriageReturnsAndAMissingFinalLineBreakReadTheSame)
{
    ConfigFile crlf = Read("[Game]\r\nshowLog = 1\r\n");
    ConfigFile unterminated = Read("[Game]\nshowLog = 1");
    EXPECT_EQ(crlf.GetGroup("Game").GetData("showLog", "0").Value(), "1");
    EXPECT_EQ(unterminated.GetGroup("Game").GetData("showLog", "0").Value(), "1");
}

TEST_F(ConfigReading, HeadersKeepEverythingBetweenTheirFirstAndLastCharacter)
{
    // "[]" and "ab" are too short to count; "[ab" is a header whose last character is dropped unseen.
    ConfigFile config = Read("[Game] \n[ A ]\n[]\nab\n\n  \n[ab\n");
    EXPECT_THAT(GroupNames(config), ElementsAre("Game]", " A ", "a"));
    EXPECT_EQ(config.FindGroup("Game"), nullptr);
}

TEST_F(ConfigReading, DuplicatesAreKeptAndLookupsReturnTheFirst)
{
    ConfigFile config = Read("[Game]\nshowLog = 0\nshowLog = 1\n[Game]\nother = 2\nx = a = b\n");
    EXPECT_THAT(GroupNames(config), ElementsAre("Game", "Game"));
    ConfigGroup& first = config.GetGroup("Game");
    EXPECT_EQ(&first, &config.Groups().front());
    EXPECT_EQ(first.GetData("showLog", "9").Value(), "0");
    EXPECT_EQ(first.GetData("other", "none").Value(), "none");
    // The value is everything after the first separator.
    EXPECT_EQ(config.Groups()[1].Entries()[1].Value(), "a = b");
}

TEST_F(ConfigReading, DataAboveTheFirstGroupEndsTheReadingWithNothingRead)
{
    LogCapture log;
    ConfigFile config = Read("showLog = 1\n[Game]\nshowLog = 1\n");
    EXPECT_TRUE(config.Groups().empty());
    EXPECT_EQ(log.Texts().back(), "Error in ConfigFile constructor");
    EXPECT_FALSE(ShowLogOf(config));
}

TEST_F(ConfigReading, ByteOrderMarkMakesTheHeaderGrouplessData)
{
    ConfigFile config = Read("\xEF\xBB\xBF[Game]\nshowLog = 1\n");
    EXPECT_TRUE(config.Groups().empty());
}

TEST_F(ConfigReading, LineWithoutSeparatorEndsTheReadingAndKeepsWhatCameBefore)
{
    LogCapture log;
    ConfigFile config = Read("[Game]\nshowLog = 1\nshowLog=0\n[Other]\nx = 1\n");
    EXPECT_EQ(log.Texts().back(), "Error in ConfigFile constructor");
    EXPECT_THAT(GroupNames(config), ElementsAre("Game"));
    EXPECT_TRUE(ShowLogOf(config));
    // The separator at the very end of a line is a separator with an empty value.
    ConfigFile trailing = Read("[G]\nkey = \n");
    EXPECT_EQ(trailing.GetGroup("G").GetData("key", "d").Value(), "");
}

TEST_F(ConfigReading, LogsTheLinesGroupsAndData)
{
    const std::string file = folder.Write("log.txt", "[A]\na = 1\n");
    LogCapture log;
    ConfigFile config(file);
    EXPECT_THAT(log.Texts(),
                ElementsAre("Reading File " + file, "Reading File success: " + file + " Lines: 3",
                            "READING GROUPFILE " + file, "[A]", "a = 1", "", "New Group: A", "New Data: a = 1"));
}

TEST_F(ConfigReading, MissingFileGivesAnEmptyConfigurationAndTheDefault)
{
    LogCapture log;
    ConfigFile config(folder.File("absent.txt"));
    EXPECT_TRUE(config.Groups().empty());
    EXPECT_EQ(log.Texts().back(), "Error in ConfigFile constructor");
    EXPECT_FALSE(ShowLogOf(config));
    EXPECT_THAT(GroupNames(config), ElementsAre("Game"));
}

TEST_F(ConfigReading, EmptyBinaryAndOversizedFilesDoNotFail)
{
    EXPECT_TRUE(Read("").Groups().empty());
    ConfigFile binary = Read("[G]\n\0\x01\xff = \0\n\x80\x81\x82\x83"s);
    ASSERT_EQ(binary.Groups().size(), 1u);
    EXPECT_EQ(binary.Groups()[0].Entries().size(), 1u);

    // A sparse file just over the limit is refused before anything is loaded.
    const std::string huge = folder.Write("huge.txt", "[Game]\nshowLog = 1\n");
    std::filesystem::resize_file(huge, ConfigFile::MaximumFileSize + 1);
    ConfigFile refused(huge);
    EXPECT_TRUE(refused.Groups().empty());
}

TEST_F(ConfigReading, NamesThatAreNoUsableFileGetOneWarningAndAMissingFileNone)
{
    const std::string directory = folder.File("folder");
    std::filesystem::create_directory(directory);
    // A pipe would block a reader that opened it until someone writes; it must not even be opened.
    const std::string pipe = folder.File("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string huge = folder.Write("huge.txt", "[Game]\nshowLog = 1\n");
    std::filesystem::resize_file(huge, ConfigFile::MaximumFileSize + 1);
    const std::string loop = folder.File("loop");
    std::filesystem::create_symlink(loop, loop);

    // As at start-up: information lines off, so only warnings reach the log.
    LogCapture log(false);
    for (const std::string& name : {directory, pipe, huge, loop, folder.File("absent.txt")})
    {
        ConfigFile config(name);
        EXPECT_TRUE(config.Groups().empty()) << name;
    }
    EXPECT_THAT(log.Texts(),
                ElementsAre("Konfigurationsdatei " + directory + " ist keine gewöhnliche Datei und wird nicht gelesen",
                            "Konfigurationsdatei " + pipe + " ist keine gewöhnliche Datei und wird nicht gelesen",
                            "Konfigurationsdatei " + huge +
                                " ist zu groß (1048577 Bytes, höchstens 1048576) und wird "
                                "nicht gelesen",
                            "Konfigurationsdatei " + loop + " kann nicht gelesen werden"));
}

TEST(ConfigWriting, SaveWritesHeadersEntriesAndSeparatorLinesWithCrLf)
{
    TempFolder folder;
    ConfigFile config;
    ConfigGroup& a = config.AddGroup("A");
    a.AddData("a", "1");
    a.AddData("b", "2");
    config.AddGroup("B");
    const std::string file = folder.File("saved.txt");
    config.Save(file);
    EXPECT_EQ(TempFolder::Read(file), "[A]\r\na = 1\r\nb = 2\r\n\r\n[B]\r\n\r\n");

    ConfigFile reread(file);
    EXPECT_THAT(GroupNames(reread), ElementsAre("A", "B"));
    ASSERT_EQ(reread.Groups()[0].Entries().size(), 2u);
    EXPECT_EQ(reread.Groups()[0].Entries()[1].ToLine(), "b = 2");
}

TEST(ConfigWriting, DefaultStoredByGetDataIsSaved)
{
    TempFolder folder;
    ConfigFile config;
    (void)config.GetGroup("Game").GetData("showLog", "0");
    const std::string file = folder.File("defaults.txt");
    config.Save(file);
    EXPECT_EQ(TempFolder::Read(file), "[Game]\r\nshowLog = 0\r\n\r\n");
}

TEST(ConfigWriting, SaveIntoAMissingFolderRaises)
{
    TempFolder folder;
    ConfigFile config;
    EXPECT_THROW(config.Save(folder.File("missing/settings.txt")), std::runtime_error);
}

TEST(ConfigDataReading, IntegerAndTruthReadingsOfValues)
{
    LogCapture log;
    EXPECT_EQ(ConfigData("k", "0x1F").AsInt(), 31);
    EXPECT_EQ(ConfigData("k", "4294967297").AsInt(), 1);
    EXPECT_EQ(ConfigData("k", "-1").AsInt(), -1);
    for (const char* value : {"1", "+1", "-1", "0x1", " 1", "1abc"})
        EXPECT_TRUE(ConfigData("k", value).AsBool()) << value;
    for (const char* value : {"0", "", "true", "yes", "off"})
        EXPECT_FALSE(ConfigData("k", value).AsBool()) << value;
    EXPECT_EQ(log.Texts().front(), "char[]-value: 0x1F");
}

TEST(ConfigDataReading, LineConstructorRefusesALineWithoutSeparator)
{
    EXPECT_THROW(ConfigData("a=1"s), std::invalid_argument);
    EXPECT_THROW(ConfigData(" ="s), std::invalid_argument);
    const ConfigData data("# note = x = y"s);
    EXPECT_EQ(data.Key(), "# note");
    EXPECT_EQ(data.Value(), "x = y");
}

} // namespace
} // namespace Quarnel::Common::GameUtil
