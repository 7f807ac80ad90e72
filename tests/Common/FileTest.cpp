#include "Common/FileSystem/File.h"

#include "Support/LogRecorder.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace Quarnel::Common::FileSystem
{
namespace
{

using ::testing::ElementsAre;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using LogCapture = TestSupport::LogRecorder;
using Tests::TempFolder;
using namespace std::string_literals;

TEST(FileReadLines, SplitsAtLineFeedDroppingOneCarriageReturnBeforeIt)
{
    TempFolder folder;
    EXPECT_THAT(File::ReadLines(folder.Write("crlf.txt", "a\r\nb")), ElementsAre("a", "b"));
    EXPECT_THAT(File::ReadLines(folder.Write("lf.txt", "a\n")), ElementsAre("a", ""));
    EXPECT_THAT(File::ReadLines(folder.Write("empty.txt", "")), ElementsAre(""));
    // Only a CR directly before the LF goes; others stay, as do zero bytes.
    EXPECT_THAT(File::ReadLines(folder.Write("odd.txt", "\r\r\nx\ry\n\0z"s)), ElementsAre("\r", "x\ry", "\0z"s));
}

TEST(FileReadLines, LogsTheReadingAndTheLineCount)
{
    TempFolder folder;
    const std::string file = folder.Write("two.txt", "a\nb\n");
    LogCapture log;
    (void)File::ReadLines(file);
    EXPECT_THAT(log.Texts(), ElementsAre("Reading File " + file, "Reading File success: " + file + " Lines: 3"));
}

TEST(FileReadLines, MissingFileAndFolderAreReportedAsNotPresent)
{
    TempFolder folder;
    const std::string missing = folder.File("missing.txt");
    EXPECT_THAT([&] { (void)File::ReadLines(missing); },
                ThrowsMessage<std::runtime_error>(StrEq("Datei " + missing + " ist nicht vorhanden")));
    const std::string self = folder.File("");
    EXPECT_THROW((void)File::ReadLines(self), std::runtime_error);
}

TEST(FileWriteLines, EveryLineEndsWithCarriageReturnLineFeedAndReplacesTheFile)
{
    TempFolder folder;
    const std::string file = folder.Write("out.txt", "old content that is longer");
    File::WriteLines(file, {"[A]", "a = 1", ""});
    EXPECT_EQ(TempFolder::Read(file), "[A]\r\na = 1\r\n\r\n");
    EXPECT_THAT(File::ReadLines(file), ElementsAre("[A]", "a = 1", "", ""));
}

TEST(FileWriteLines, UnwritablePathRaises)
{
    TempFolder folder;
    EXPECT_THROW(File::WriteLines(folder.File("no/such/folder.txt"), {"x"}), std::runtime_error);
}

} // namespace
} // namespace Quarnel::Common::FileSystem
