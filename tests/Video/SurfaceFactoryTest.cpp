#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/ImageLoader.h"
#include "GameEngine2D/Video/SurfaceManager.h"
#include "GameEngine2D/Video/Surfaces.h"
#include "GameEngine2D/Video/Texture.h"
#include "GameEngine2D/Video/VertexBuffers.h"
#include "Support/LogRecorder.h"
#include "Support/OffscreenEngine.h"
#include "Support/Pixels.h"
#include "VideoTestFiles.h"

#include <algorithm>
#include <epoxy/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>

namespace Quarnel::GameEngine2D::Video
{
namespace
{

using ::testing::HasSubstr;
using ::testing::StartsWith;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using VideoTests::TempFolder;

// The RGBA bytes of one texture part, read back from video memory.
std::vector<std::uint8_t> ReadTexture(const Surface& part)
{
    const int width = static_cast<int>(part.GetSize().X());
    const int height = static_cast<int>(part.GetSize().Y());
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height * 4));
    glBindTexture(GL_TEXTURE_2D, part.GetGlTextureId());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

struct Placement
{
    float width, height, x, y;
    bool operator==(const Placement&) const = default;
};

std::vector<Placement> Placements(const Surfaces& surfaces)
{
    std::vector<Placement> result;
    for (const Surface& part : surfaces.GetSurfaces())
        result.push_back({part.GetSize().X(), part.GetSize().Y(), part.GetPosition().X(), part.GetPosition().Y()});
    return result;
}

class SurfaceFactory : public ::testing::Test
{
protected:
    explicit SurfaceFactory(int maxTextureSize = 1024) :
        offscreen(VideoSettings({1024.0f, 768.0f}, 32, false, maxTextureSize))
    {
    }

    ImageLoader& GetImages() { return offscreen.Video().GetImages(); }
    VertexBuffers& GetBuffers() { return offscreen.Video().GetVertexBuffers(); }
    SurfaceManager& GetCache() { return offscreen.Video().GetSurfaceManager(); }

    TempFolder folder;
    TestSupport::OffscreenEngine offscreen;
};

// A small texture limit makes images with several parts cheap.
class SmallTextureFactory : public SurfaceFactory
{
protected:
    SmallTextureFactory() : SurfaceFactory(64) {}
};

TEST_F(SurfaceFactory, TextureEdgesArePowersOfTwoFromEightUpToTheLimit)
{
    const std::vector<std::pair<int, int>> expected{{1, 8},       {8, 8},       {9, 16},     {300, 512},
                                                    {1024, 1024}, {1025, 1024}, {3000, 1024}};
    for (const auto& [remaining, edge] : expected)
        EXPECT_EQ(GetImages().NextTextureSize(remaining), edge) << remaining;
}

TEST_F(SurfaceFactory, ImagesAreCutIntoPartsNoLargerThanTheLimit)
{
    const auto exact =
        GetImages().CreateSurfaceFromFile(VideoTests::WritePatternImage(folder, "a.png", 1024, 1024), false);
    EXPECT_EQ(Placements(*exact), (std::vector<Placement>{{1024, 1024, 0, 0}}));

    const auto wide = GetImages().CreateSurfaceFromFile(VideoTests::WritePatternImage(folder, "b.png", 1025, 1), false);
    EXPECT_EQ(Placements(*wide), (std::vector<Placement>{{1024, 8, 0, 0}, {8, 8, 1024, 0}}));
    EXPECT_EQ(wide->GetSize(), Common::Point2D(1025, 1));

    const auto small =
        GetImages().CreateSurfaceFromFile(VideoTests::WritePatternImage(folder, "c.png", 100, 20), false);
    EXPECT_EQ(Placements(*small), (std::vector<Placement>{{128, 32, 0, 0}}));
}

TEST_F(SmallTextureFactory, PartsReassembleTheImageExactlyWithTransparentMargins)
{
    constexpr int Width = 150;
    constexpr int Height = 70;
    const auto surfaces =
        GetImages().CreateSurfaceFromFile(VideoTests::WritePatternImage(folder, "big.png", Width, Height), false);

    // Column by column from the left, top to bottom within a column.
    EXPECT_EQ(
        Placements(*surfaces),
        (std::vector<Placement>{
            {64, 64, 0, 0}, {64, 8, 0, 64}, {64, 64, 64, 0}, {64, 8, 64, 64}, {32, 64, 128, 0}, {32, 8, 128, 64}}));

    std::vector<int> covered(Width * Height, 0);
    for (const Surface& part : surfaces->GetSurfaces())
    {
        const std::vector<std::uint8_t> pixels = ReadTexture(part);
        const int partWidth = static_cast<int>(part.GetSize().X());
        const int left = static_cast<int>(part.GetPosition().X());
        const int top = static_cast<int>(part.GetPosition().Y());
        for (int y = 0; y < static_cast<int>(part.GetSize().Y()); ++y)
            for (int x = 0; x < partWidth; ++x)
            {
                const std::uint8_t* texel = &pixels[static_cast<std::size_t>((y * partWidth + x) * 4)];
                const int imageX = left + x;
                const int imageY = top + y;
                if (imageX >= Width || imageY >= Height)
                {
                    ASSERT_EQ(texel[3], 0) << "margin at " << imageX << "," << imageY;
                    continue;
                }
                const VideoTests::PatternPixel expected = VideoTests::Pattern(imageX, imageY, true);
                ASSERT_EQ((std::vector<int>{texel[0], texel[1], texel[2], texel[3]}),
                          (std::vector<int>{expected.r, expected.g, expected.b, expected.a}))
                    << "image pixel " << imageX << "," << imageY;
                ++covered[static_cast<std::size_t>(imageY * Width + imageX)];
            }
    }
    // Every image pixel lies in exactly one part: no gap, no overlap at the seams.
    EXPECT_TRUE(std::all_of(covered.begin(), covered.end(), [](int count) { return count == 1; }));
    surfaces->DeleteTextures();
}

TEST_F(SmallTextureFactory, ADrawnImageLargerThanTheLimitShowsNoSeam)
{
    // An opaque 150 x 70 image in six parts, drawn at its natural size in the flat view over black.
    const auto surfaces =
        GetImages().CreateSurfaceFromFile(VideoTests::WritePatternImage(folder, "wall.bmp", 150, 70, false), false);
    ASSERT_EQ(surfaces->GetSurfaces().size(), 6u);
    Engine& video = offscreen.Video();
    video.InitFrame();
    video.SetView2D(Common::Point3D(0, 0, 100), Common::Point3D(0, 0, 0), Common::Point3D(0, 1, 0));
    video.DrawSurfaces(*surfaces, Common::Color(255, 255, 255, 255));

    // Around both vertical seams (x = 64, 128) and the horizontal one (y = 64), and at the image's far corner.
    for (const int x : {0, 62, 63, 64, 65, 127, 128, 129, 149})
        for (const int y : {0, 63, 64, 69})
        {
            const VideoTests::PatternPixel expected = VideoTests::Pattern(x, y, false);
            EXPECT_TRUE(TestSupport::NearlyEqual(TestSupport::ReadPixel(x, y),
                                                 TestSupport::Rgba{expected.r, expected.g, expected.b, 255}, 1))
                << "pixel " << x << "," << y << " is " << TestSupport::ReadPixel(x, y);
        }
    // The transparent margins of the last parts show nothing.
    EXPECT_EQ(TestSupport::ReadPixel(150, 10), (TestSupport::Rgba{0, 0, 0, 0}));
    EXPECT_EQ(TestSupport::ReadPixel(10, 70), (TestSupport::Rgba{0, 0, 0, 0}));
    surfaces->DeleteTextures();
}

TEST_F(SmallTextureFactory, ImagesWithoutAlphaBecomeOpaqueParts)
{
    const auto surfaces =
        GetImages().CreateSurfaceFromFile(VideoTests::WritePatternImage(folder, "plain.bmp", 20, 10, false), false);
    ASSERT_EQ(surfaces->GetSurfaces().size(), 1u);
    const std::vector<std::uint8_t> pixels = ReadTexture(surfaces->GetSurfaces()[0]);
    const VideoTests::PatternPixel expected = VideoTests::Pattern(19, 9, false);
    const std::size_t inside = (9 * 32 + 19) * 4;
    EXPECT_EQ((std::vector<int>{pixels[inside], pixels[inside + 1], pixels[inside + 2], pixels[inside + 3]}),
              (std::vector<int>{expected.r, expected.g, expected.b, 255}));
    EXPECT_EQ(pixels[(9 * 32 + 20) * 4 + 3], 0);
    surfaces->DeleteTextures();
}

TEST_F(SurfaceFactory, BlankImagesAreTransparentAndNeedASize)
{
    const auto blank = GetImages().CreateTexture("canvas", {100, 20});
    EXPECT_EQ(Placements(*blank->GetSurfaces()), (std::vector<Placement>{{128, 32, 0, 0}}));
    const std::vector<std::uint8_t> pixels = ReadTexture(blank->GetSurfaces()->GetSurfaces()[0]);
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t byte) { return byte == 0; }));
    EXPECT_FALSE(GetCache().GetReferences("canvas").has_value());
    blank->GetSurfaces()->DeleteTextures();

    EXPECT_THAT(
        [&] {
            (void)GetImages().CreateSurfaces("empty", {0, 0});
        },
        ThrowsMessage<std::invalid_argument>(StrEq("Surfaces sind nicht gesetzt")));
    EXPECT_THROW((void)GetImages().CreateSurfaces("negative", {-5, 10}), std::invalid_argument);
}

TEST_F(SurfaceFactory, TheSameFileIsReadOnceAndCountedPerHolder)
{
    const std::string fileName = VideoTests::WritePatternImage(folder, "shared.png", 16, 16);
    TestSupport::LogRecorder log;
    const auto first = GetImages().CreateTextureFromFile(fileName, true);
    const auto second = GetImages().CreateTextureFromFile(fileName, true);

    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetSurfaces(), second->GetSurfaces());
    const auto texts = log.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "CreateSurfaceFromFile, Load new: " + fileName), 1);
    EXPECT_TRUE(log.Has("CreateSurfaceFromFile, getting cached " + fileName));
    EXPECT_EQ(GetCache().GetReferences(fileName), 2);

    GetImages().FreeTexture(*first);
    GetImages().FreeTexture(*second);
    EXPECT_EQ(GetCache().GetReferences(fileName), 0);
    // Released images stay cached: the next load is a hit again.
    GetImages().FreeTexture(*second);
    EXPECT_EQ(GetCache().GetReferences(fileName), 0);
    EXPECT_EQ(GetImages().CreateSurfaceFromFile(fileName, true), first->GetSurfaces());
}

TEST_F(SurfaceFactory, ShutDownFreesEveryEntryAndReportsThoseStillInUse)
{
    const std::string used = VideoTests::WritePatternImage(folder, "used.png", 8, 8);
    const std::string released = VideoTests::WritePatternImage(folder, "released.png", 8, 8);
    const auto usedTexture = GetImages().CreateTextureFromFile(used, true);
    const auto releasedTexture = GetImages().CreateTextureFromFile(released, true);
    GetImages().FreeTexture(*releasedTexture);
    const std::uint32_t name = usedTexture->GetSurfaces()->GetSurfaces()[0].GetGlTextureId();
    ASSERT_EQ(glIsTexture(name), GL_TRUE);

    TestSupport::LogRecorder log;
    GetCache().FreeAll();
    EXPECT_TRUE(log.Has("FreeSurface-Warning: " + used + " wird noch verwendet!"));
    EXPECT_FALSE(log.Has("FreeSurface-Warning: " + released + " wird noch verwendet!"));
    EXPECT_EQ(glIsTexture(name), GL_FALSE);
    EXPECT_FALSE(GetCache().GetReferences(used).has_value());
    // A holder that kept the image cannot draw a deleted texture by mistake.
    EXPECT_THROW((void)usedTexture->GetSurfaces()->GetSurfaces()[0].GetGlTextureId(), std::runtime_error);
}

TEST_F(SurfaceFactory, UncachedImagesAreLoadedEachTimeAndDeletedByTheirOwner)
{
    const std::string fileName = VideoTests::WritePatternImage(folder, "own.png", 8, 8);
    const auto first = GetImages().CreateSurfaceFromFile(fileName, false);
    const auto second = GetImages().CreateSurfaceFromFile(fileName, false);
    EXPECT_NE(first, second);
    EXPECT_FALSE(GetCache().GetReferences(fileName).has_value());

    // Freeing an uncached image must not count down a cached image that shares its file name.
    const auto cached = GetImages().CreateSurfaceFromFile(fileName, true);
    GetImages().FreeSurfaces(*first);
    EXPECT_EQ(GetCache().GetReferences(fileName), 1);

    const std::uint32_t name = first->GetSurfaces()[0].GetGlTextureId();
    first->DeleteTextures();
    EXPECT_EQ(glIsTexture(name), GL_FALSE);
    first->DeleteTextures();
    second->DeleteTextures();
}

TEST_F(SurfaceFactory, MissingFilesGiveAnErrorOrNoTexture)
{
    const std::string missing = folder.File("nothing.png");
    TestSupport::LogRecorder log;
    EXPECT_THAT([&] { (void)GetImages().CreateSurfaceFromFile(missing, true); },
                ThrowsMessage<std::runtime_error>(StrEq("Datei " + missing + " ist nicht vorhanden")));
    EXPECT_EQ(log.Warnings(), std::vector<std::string>{"Datei " + missing + " ist nicht vorhanden"});

    EXPECT_EQ(GetImages().CreateTextureFromFile(missing, true), nullptr);
    EXPECT_EQ(log.Warnings().size(), 3u);
    EXPECT_FALSE(GetCache().GetReferences(missing).has_value());
}

TEST_F(SurfaceFactory, UnreadableImagesGiveTheLoadErrorAndCacheNothing)
{
    // A PNG cut off after its header, an empty file, a text file and a name with a zero character in it.
    const std::string whole = VideoTests::WritePatternImage(folder, "whole.png", 40, 40);
    std::ifstream in(whole, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<std::string> broken{folder.Write("truncated.png", bytes.substr(0, bytes.size() / 2)),
                                          folder.Write("header.png", bytes.substr(0, 40)),
                                          folder.Write("empty.png", ""),
                                          folder.Write("notes.png", "This is not an image.\n")};
    for (const std::string& fileName : broken)
    {
        EXPECT_THAT([&] { (void)GetImages().CreateSurfaceFromFile(fileName, true); },
                    ThrowsMessage<std::runtime_error>(StartsWith("Error loading image " + fileName + "/nSDL Error: ")))
            << fileName;
        EXPECT_FALSE(GetCache().GetReferences(fileName).has_value());
    }

    const std::string withZero = whole + std::string(1, '\0') + "x";
    EXPECT_THAT([&] { (void)GetImages().CreateSurfaceFromFile(withZero, false); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("Error loading image " + whole + "\\0x - Dateiname enthält Sonderzeichen.")));
}

// Only the header of each image: declared sizes beyond the largest image the program loads are refused before the
// image library is asked to decode (which would fail differently on these files, having no pixels).
TEST_F(SurfaceFactory, ImagesBeyondTheLargestSizeAreRefusedFromTheirHeader)
{
    const auto bytes = [](std::initializer_list<int> values) {
        std::string result;
        for (const int value : values)
            result += static_cast<char>(value);
        return result;
    };
    // A PNG of 30000 x 30000, a JPEG of 20000 x 10 (one edge too long), a BMP of 9000 x 9000 (too many pixels).
    const std::string png = folder.Write(
        "huge.png", bytes({0x89, 'P',  'N',  'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0,
                           0,    0x75, 0x30, 0,   0,    0x75, 0x30, 8,    6, 0, 0, 0,  0,   0,   0,   0}));
    const std::string jpeg = folder.Write(
        "wide.jpg", bytes({0xFF, 0xD8, 0xFF, 0xE0, 0,    16,   'J',  'F', 'I', 'F', 0, 1,  1,    0,    0, 1,
                           0,    1,    0,    0,    0xFF, 0xFF, 0xC0, 0,   17,  8,   0, 10, 0x4E, 0x20, 3}));
    const std::string bmpHeader = bytes(
        {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 0x28, 0x23, 0, 0, 0x28, 0x23, 0, 0, 1, 0, 32, 0});
    const std::string bmp = folder.Write("many.bmp", bmpHeader);
    const TestSupport::LogRecorder log;
    for (const auto& [fileName, size] : {std::pair{png, "30000 x 30000"}, {jpeg, "20000 x 10"}, {bmp, "9000 x 9000"}})
    {
        const std::string refusal = "Das Bild " + fileName + " ist " + size +
                                    " Pixel groß, erlaubt sind höchstens 16384 Pixel je Kante und 64000000 Pixel";
        EXPECT_THAT([&] { (void)GetImages().CreateSurfaceFromFile(fileName, true); },
                    ThrowsMessage<std::runtime_error>(StrEq(refusal)));
        EXPECT_EQ(GetImages().CreateTextureFromFile(fileName, true), nullptr);
        EXPECT_EQ(log.Warnings().back(), refusal);
    }
}

TEST_F(SurfaceFactory, VertexBuffersHoldTheRecordsUntilReleaseAll)
{
    const std::vector<Data::VertexRecord> records(36, Data::VertexRecord{1.0f, 2.0f, 3.0f});
    const std::uint32_t positions = GetBuffers().Create(records);
    const std::uint32_t normals = GetBuffers().Create(records);
    EXPECT_EQ(GetBuffers().GetNames(), (std::vector<std::uint32_t>{positions, normals}));

    GLint size = 0;
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, positions);
    glGetBufferParameterivARB(GL_ARRAY_BUFFER_ARB, GL_BUFFER_SIZE_ARB, &size);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    EXPECT_EQ(size, 432);

    TestSupport::LogRecorder log;
    GetBuffers().ReleaseAll();
    const std::string p = std::to_string(positions);
    const std::string n = std::to_string(normals);
    EXPECT_EQ(log.Texts(), (std::vector<std::string>{"Delete VBO " + p, "VBO " + p + " deleted", "Delete VBO " + n,
                                                     "VBO " + n + " deleted"}));
    EXPECT_EQ(glIsBufferARB(positions), GL_FALSE);
    EXPECT_EQ(glIsBufferARB(normals), GL_FALSE);
    EXPECT_TRUE(GetBuffers().GetNames().empty());
}

} // namespace
} // namespace Quarnel::GameEngine2D::Video
