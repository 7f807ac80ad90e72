#include "Common/TempFolder.h"
#include "app/SystemFile/SavePath.h"
#include "app/SystemFile/SystemFileError.h"
#include "app/SystemFile/SystemReader.h"
#include "app/SystemFile/SystemWriter.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace Zandrel::SystemFile
{
namespace
{

using Quarnel::Common::Tests::TempFolder;
using ::testing::HasSubstr;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

std::vector<std::uint32_t> Bits(const std::array<float, 3>& values)
{
    return {std::bit_cast<std::uint32_t>(values[0]), std::bit_cast<std::uint32_t>(values[1]),
            std::bit_cast<std::uint32_t>(values[2])};
}

std::string Refusal(const std::string& text)
{
    try
    {
        (void)SystemReader::ReadText(text);
    }
    catch (const SystemFileError& error)
    {
        return error.what();
    }
    return "(gelesen)";
}

// A valid file around the given bodies and extra top-level fields.
std::string File(const std::string& bodies, const std::string& extra = "")
{
    return R"({"format": "zandrel-system", "version": 1, )" + extra + R"("bodies": [)" + bodies + "]}";
}

const std::string Sun = R"({"kind": "sun", "mass": 10000, "size": 100, "position": [0, 0, 0]})";

TEST(SystemFileRoundTrip, KeepsEveryNumberBitForBit)
{
    constexpr float tiniest = std::numeric_limits<float>::denorm_min();
    // The one positive float whose shortest text, 7.038531e-26, read as the nearest double and rounded to a
    // float again, gives its neighbour: it must be written with more digits.
    const float roundsTwice = std::bit_cast<float>(0x15ae43fdu);
    SystemData system;
    system.gravity = GravityLaw::InverseSquare;
    system.merge = true;
    system.time = 0.1;
    system.speed = 0.125;
    system.paused = true;
    system.camera = CameraView{{8.0f, 5.0f, 150.0f}, {0.0f, 0.0f, 0.0f}, {-12.5f, 370.0f, 0.0f}};
    system.bodies.push_back(
        {7, BodyKind::Sun, "Sonne", 123456.79f, 0.1f, {0.1f, 1e-7f, -0.0f}, {tiniest, 1e-40f, -0.0f}});
    system.bodies.push_back({3,
                             BodyKind::Planet,
                             "Mond Ö",
                             std::numeric_limits<float>::max(),
                             0.0f,
                             {-std::numeric_limits<float>::min(), 16777217.0f, 3.4e-39f},
                             {1e15f, -1e-7f, roundsTwice}});
    TempFolder folder;
    const std::string path = folder.File("system.json");
    SystemWriter::WriteFile(system, path);
    const SystemData read = SystemReader::ReadFile(path);

    EXPECT_EQ(read.gravity, GravityLaw::InverseSquare);
    EXPECT_TRUE(read.merge);
    EXPECT_TRUE(read.paused);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(read.time), std::bit_cast<std::uint64_t>(0.1));
    EXPECT_EQ(read.speed, 0.125);
    ASSERT_TRUE(read.camera.has_value());
    EXPECT_EQ(Bits(read.camera->rotation), Bits(system.camera->rotation));
    ASSERT_EQ(read.bodies.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i)
    {
        const BodyData& want = system.bodies[i];
        const BodyData& got = read.bodies[i];
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.kind, want.kind);
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(got.mass), std::bit_cast<std::uint32_t>(want.mass));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(got.size), std::bit_cast<std::uint32_t>(want.size));
        EXPECT_EQ(Bits(got.position), Bits(want.position));
        EXPECT_EQ(Bits(got.velocity), Bits(want.velocity));
    }
    // The short texts, not the floats' exact binary values, and the same text when written again.
    const std::string text = TempFolder::Read(path);
    EXPECT_THAT(text, HasSubstr("[\n        0.1,\n        1e-07,\n        -0.0\n      ]"));
    EXPECT_THAT(text, HasSubstr("\"mass\": 123456.79,"));
    EXPECT_EQ(SystemWriter::ToText(read), text);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp-" + std::to_string(::getpid())));
}

TEST(SystemFileRead, GivesTheStartStateForWhatIsLeftOutAndIgnoresUnknownKeys)
{
    const SystemData system = SystemReader::ReadText(
        File(Sun + R"(, {"kind": "planet", "mass": 1, "size": 50, "position": [20, 0, 0], "id": 9, "ring": [1]},
                     {"kind": "planet", "mass": 1, "size": 50, "position": [30, 0, 0], "colour": "blau"})",
             R"("later": {"deep": [1, 2]}, )"));
    EXPECT_EQ(system.gravity, GravityLaw::Constant);
    EXPECT_FALSE(system.merge);
    EXPECT_FALSE(system.paused);
    EXPECT_EQ(system.time, 0.0);
    EXPECT_EQ(system.speed, 1.0);
    EXPECT_FALSE(system.camera.has_value());
    ASSERT_EQ(system.bodies.size(), 3u);
    // Identifiers count on from the largest given one, so none collides with it.
    EXPECT_EQ(system.bodies[0].id, 10u);
    EXPECT_EQ(system.bodies[1].id, 9u);
    EXPECT_EQ(system.bodies[2].id, 11u);
    EXPECT_EQ(system.bodies[0].name, "Sonne");
    EXPECT_EQ(system.bodies[1].name, "Planet");
    EXPECT_EQ(system.bodies[0].velocity, (std::array<float, 3>{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(SystemReader::ReadText(File(Sun + "," + Sun)).bodies[1].id, 2u);
}

TEST(SystemFileRead, RefusesEveryUnusableTextWithItsReason)
{
    const std::string planet = R"("kind": "planet", "mass": 1, "size": 1, "position": [0, 0, 0])";
    std::string tooMany = "0";
    for (int i = 0; i < 100000; ++i)
        tooMany += ",0";
    struct Row
    {
        std::string text;
        std::string reason;
    };
    const std::vector<Row> rows{
        {"", "kein gültiges JSON (Zeile 1, Spalte 1)"},
        {"{\"format\": \"zandrel-system\",\n  \"version\": 1,, }", "kein gültiges JSON (Zeile 2, Spalte 16)"},
        {"[1, 2]", "kein Zandrel-System"},
        {R"({"format": "other", "version": 1, "bodies": []})",
         "kein Zandrel-System (\"format\" ist nicht \"zandrel-system\")"},
        {R"({"format": "zandrel-system", "version": 2, "bodies": []})",
         "Version 2 ist neuer als die lesbare Version 1"},
        {R"({"format": "zandrel-system", "version": 0, "bodies": []})", "unbekannte Version 0"},
        {R"({"format": "zandrel-system", "version": "1", "bodies": []})", "\"version\" ist keine ganze Zahl"},
        {R"({"version": 1, "bodies": []})", "\"format\" fehlt"},
        {R"({"format": "zandrel-system", "bodies": []})", "\"version\" fehlt"},
        {R"({"format": "zandrel-system", "version": 1})", "\"bodies\" fehlt"},
        {File(R"({"mass": 1, "size": 1, "position": [0, 0, 0]})"), "Körper 1: \"kind\" fehlt"},
        {File(Sun + R"(, {"kind": "planet", "size": 1, "position": [0, 0, 0]})"), "Körper 2: \"mass\" fehlt"},
        {File(R"({"kind": "planet", "mass": 1, "position": [0, 0, 0]})"), "Körper 1: \"size\" fehlt"},
        {File(R"({"kind": "planet", "mass": 1, "size": 1})"), "Körper 1: \"position\" fehlt"},
        {File("[]"), "Körper 1: kein Objekt"},
        {R"({"format": "zandrel-system", "version": 1, "bodies": {}})", "\"bodies\" ist keine Liste"},
        {File("{" + planet + R"(, "mass": "1"})"), "Körper 1: \"mass\" ist keine Zahl"},
        {File(R"({"kind": "planet", "mass": 1, "size": 1, "position": [0, 0]})"),
         "Körper 1: \"position\" ist keine Liste aus drei Zahlen"},
        {File("{" + planet + R"(, "velocity": [0, 0, 0, 0]})"),
         "Körper 1: \"velocity\" ist keine Liste aus drei Zahlen"},
        {File("{" + planet + R"(, "name": 5})"), "Körper 1: \"name\" ist kein Text"},
        {File(Sun, R"("merge": 1, )"), "\"merge\" ist kein Wahrheitswert"},
        {File(Sun, R"("camera": {"position": [0, 0, 0], "rotation": [0, 0, 0]}, )"), "Kamera: \"target\" fehlt"},
        {File(R"({"kind": "planet", "mass": 1, "size": 1, "position": [1e999, 0, 0]})"),
         "eine Zahl ist unendlich groß"},
        {File(R"({"kind": "planet", "mass": 1e39, "size": 1, "position": [0, 0, 0]})"),
         "Körper 1: \"mass\" ist zu groß für eine 32-Bit-Gleitkommazahl"},
        {File(R"({"kind": "planet", "mass": -0.5, "size": 1, "position": [0, 0, 0]})"),
         "Körper 1: Masse kleiner als 0"},
        {File(R"({"kind": "planet", "mass": 1, "size": -1, "position": [0, 0, 0]})"), "Körper 1: Größe kleiner als 0"},
        {File(tooMany), "mehr als 100 000 Körper"},
        {File(R"({"kind": "moon", "mass": 1, "size": 1, "position": [0, 0, 0]})"),
         "Körper 1: unbekannte Art (erlaubt: \"sun\", \"planet\")"},
        {File("{" + planet + R"(, "id": 4}, {)" + planet + R"(, "id": 4})"), "Körper 2: Kennung 4 kommt doppelt vor"},
        {File("{" + planet + R"(, "id": -4})"), "Körper 1: \"id\" ist keine ganze Zahl von 0 bis 4294967295"},
        {File(Sun, R"("gravity": "newton", )"),
         "unbekanntes Gravitationsgesetz (erlaubt: \"constant\", \"inverse-square\")"},
        {File(Sun, R"("speed": 3, )"), "\"speed\" ist keine Zweierpotenz von 1/8 bis 1024"},
        {File(Sun, R"("speed": 2048, )"), "\"speed\" ist keine Zweierpotenz von 1/8 bis 1024"},
        {File(Sun, R"("speed": 0.0625, )"), "\"speed\" ist keine Zweierpotenz von 1/8 bis 1024"},
        {std::string(100, '[') + std::string(100, ']'), "kein Zandrel-System (zu tief verschachtelt)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Refusal(row.text), row.reason) << row.text.substr(0, 200);
}

TEST(SystemFileRead, RefusesMissingFoldersAndOversizedFilesBeforeReadingThem)
{
    TempFolder folder;
    EXPECT_THAT([&] { (void)SystemReader::ReadFile(folder.File("none.json")); },
                ThrowsMessage<SystemFileError>(StrEq("Datei nicht vorhanden")));
    std::filesystem::create_directory(folder.File("saves"));
    EXPECT_THAT([&] { (void)SystemReader::ReadFile(folder.File("saves")); },
                ThrowsMessage<SystemFileError>(StrEq("keine gewöhnliche Datei")));
    // A sparse file: one byte over the limit costs no disk space and must not be read at all.
    const std::string big = folder.Write("big.json", "{}");
    std::filesystem::resize_file(big, SystemData::MaxFileBytes + 1);
    EXPECT_THAT([&] { (void)SystemReader::ReadFile(big); },
                ThrowsMessage<SystemFileError>(StrEq("Datei größer als 64 MiB")));
}

TEST(SystemFileWrite, RefusesWhatCouldNotBeReadAndKeepsTheOlderFile)
{
    TempFolder folder;
    const std::string path = folder.Write("system.json", "older");
    SystemData system;
    system.bodies.push_back({1, BodyKind::Planet, "Planet", 1.0f, 1.0f, {std::nanf(""), 0.0f, 0.0f}, {}});
    EXPECT_THAT([&] { SystemWriter::WriteFile(system, path); },
                ThrowsMessage<SystemFileError>(StrEq("Körper 1: \"position\" ist keine endliche Zahl")));
    system.bodies[0].position[0] = 1.0f;
    EXPECT_THAT(
        [&] { SystemWriter::WriteFile(system, folder.File("missing/system.json")); },
        ThrowsMessage<SystemFileError>(StrEq("Datei kann nicht geschrieben werden: No such file or directory")));
    EXPECT_EQ(TempFolder::Read(path), "older");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("")), {}), 1);
}

TEST(SavePath, NamesSavesByTheirSecondAndCountsOnWithinIt)
{
    TempFolder folder;
    const std::filesystem::path saves = folder.File("saves");
    std::tm moment{};
    moment.tm_year = 2026 - 1900;
    moment.tm_mon = 11;
    moment.tm_mday = 8;
    moment.tm_hour = 9;
    moment.tm_min = 5;
    moment.tm_sec = 7;
    moment.tm_isdst = -1;
    const std::time_t now = std::mktime(&moment);
    const std::filesystem::path first = SavePath::Next(saves, now);
    EXPECT_EQ(first, saves / "zandrel-20261208-090507.json");
    SystemWriter::WriteFile(SystemData{}, first);
    EXPECT_EQ(SavePath::Next(saves, now), saves / "zandrel-20261208-090507-2.json");
    EXPECT_EQ(SavePath::Next(saves, now + 1), saves / "zandrel-20261208-090508.json");
}

TEST(Presets, LoadAndSaveBackUnchanged)
{
    int presets = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(QUARNEL_SOURCE_DIR) / "presets"))
    {
        if (entry.path().extension() != ".json")
            continue;
        ++presets;
        const SystemData shipped = SystemReader::ReadFile(entry.path());
        const SystemData saved = SystemReader::ReadText(SystemWriter::ToText(shipped));
        ASSERT_GE(shipped.bodies.size(), 3u) << entry.path();
        ASSERT_EQ(saved.bodies.size(), shipped.bodies.size()) << entry.path();
        EXPECT_EQ(saved.gravity, shipped.gravity);
        // Every number bit for bit; a boolean per body keeps a failure's message short for the long files.
        for (std::size_t i = 0; i < shipped.bodies.size(); ++i)
        {
            const BodyData& a = shipped.bodies[i];
            const BodyData& b = saved.bodies[i];
            EXPECT_TRUE(a.id == b.id && a.kind == b.kind && a.name == b.name &&
                        std::bit_cast<std::uint32_t>(a.mass) == std::bit_cast<std::uint32_t>(b.mass) &&
                        std::bit_cast<std::uint32_t>(a.size) == std::bit_cast<std::uint32_t>(b.size) &&
                        Bits(a.position) == Bits(b.position) && Bits(a.velocity) == Bits(b.velocity))
                << entry.path() << " body " << i + 1;
        }
    }
    EXPECT_GE(presets, 6);
}

} // namespace
} // namespace Zandrel::SystemFile
