#include "GameEngine2D/Video/Data/IndexedVertices.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Video/Materials.h"
#include "GameEngine2D/Video/SurfaceManager.h"
#include "GameEngine2D/Video/Surfaces.h"
#include "GameEngine2D/Video/Texture.h"
#include "GameEngine2D/Video/VertexBuffers.h"
#include "Support/LogRecorder.h"
#include "Support/OffscreenEngine.h"
#include "VideoTestFiles.h"

#include <algorithm>
#include <cmath>
#include <epoxy/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Quarnel::GameEngine2D::Video
{
namespace
{

using ::testing::HasSubstr;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using VideoTests::TempFolder;

// Two materials, one of them with a texture beside the material file.
constexpr const char* BoxMaterials = "# box colours\n"
                                     "newmtl m\n"
                                     "Kd 1 0.5 0\n"
                                     "d 0.5\n"
                                     "newmtl textured\n"
                                     "Ka 0.2 0.2 0.2\n"
                                     "map_Kd skin.png\n";

class MeshFiles : public ::testing::Test
{
protected:
    MeshFileReader& GetMeshFiles() { return offscreen.Video().GetMeshFiles(); }
    [[nodiscard]] std::vector<std::uint32_t> BufferNames() { return offscreen.Video().GetVertexBuffers().GetNames(); }
    Materials& GetMaterials() { return offscreen.Video().GetMaterials(); }

    // Writes a model file beside the box materials and returns its path.
    std::string WriteModel(const std::string& name, const std::string& text)
    {
        folder.Write("box.mtl", BoxMaterials);
        return folder.Write(name, text);
    }

    std::string ModelError(const std::string& fileName, const std::string& cause)
    {
        return "Fehler beim erstellen von " + fileName + "\n" + cause;
    }

    TempFolder folder;
    TestSupport::OffscreenEngine offscreen;
};

std::vector<int> Corners(const Data::Face& face, int Data::Index::*member)
{
    std::vector<int> result;
    for (const Data::Index& index : face.indices)
        result.push_back(index.*member);
    return result;
}

TEST_F(MeshFiles, ReadsPositionsNegatedTextureRowsNormalsAndFanTriangles)
{
    const auto mesh = GetMeshFiles().LoadMesh(WriteModel("quad.obj", "# a quad\n"
                                                                     "v 0 0 0\r\n"
                                                                     "v 1 0 0\n"
                                                                     "v 1 1 0\n"
                                                                     "v 0 1 0\n"
                                                                     "vt 0.25 0.75 0\n"
                                                                     "vn 0 0 1\n"
                                                                     "s off\n"
                                                                     "f 1/1/1 2/1/1 3/1/1 4/1/1\n"));
    ASSERT_EQ(mesh->GetPositions().size(), 4u);
    EXPECT_FLOAT_EQ(mesh->GetPosition(2).x, 1.0f);
    EXPECT_FLOAT_EQ(mesh->GetPosition(2).y, 1.0f);
    ASSERT_EQ(mesh->GetTextureCoordinates().size(), 1u);
    EXPECT_FLOAT_EQ(mesh->GetTextureCoordinates()[0].x, 0.25f);
    EXPECT_FLOAT_EQ(mesh->GetTextureCoordinates()[0].y, -0.75f);
    EXPECT_FLOAT_EQ(mesh->GetTextureCoordinates()[0].z, 0.0f);
    ASSERT_EQ(mesh->GetNormals().size(), 1u);

    // No "o" line: one group with an empty name.
    ASSERT_EQ(mesh->GetFaceGroups().size(), 1u);
    const Data::FaceGroup& group = mesh->GetFaceGroups()[0];
    EXPECT_EQ(group.name, "");
    EXPECT_EQ(group.material, nullptr);
    ASSERT_EQ(group.faces.size(), 2u);
    EXPECT_EQ(Corners(group.faces[0], &Data::Index::vertex), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Corners(group.faces[1], &Data::Index::vertex), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(Corners(group.faces[1], &Data::Index::normal), (std::vector<int>{0, 0, 0}));
}

TEST_F(MeshFiles, GroupsEndWithTheMaterialNamedLastAndShareGlobalIndices)
{
    const std::string fileName = WriteModel("two.obj", "mtllib box.mtl\n"
                                                       "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\n"
                                                       "usemtl textured\n"
                                                       "f 1 2 3\n"
                                                       "o A\n"
                                                       "f 2 4 3\n"
                                                       "usemtl m\n"
                                                       "o B\n"
                                                       "f 4 3 2\n");
    const auto mesh = GetMeshFiles().LoadMesh(fileName);
    const auto& groups = mesh->GetFaceGroups();
    ASSERT_EQ(groups.size(), 2u);
    // Faces before the first "o" belong to the first named group, which ends with the material named last.
    EXPECT_EQ(groups[0].name, "A");
    ASSERT_EQ(groups[0].faces.size(), 2u);
    EXPECT_EQ(groups[0].material, GetMaterials().Get("two.obj.m"));
    EXPECT_EQ(groups[1].name, "B");
    // Indices are global to the file, not counted per group.
    EXPECT_EQ(Corners(groups[1].faces[0], &Data::Index::vertex), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(groups[1].material, GetMaterials().Get("two.obj.m"));

    EXPECT_THAT([&] { (void)GetMeshFiles().CreateMeshData(fileName); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("derzeit wird nur eine Gruppe innerhal einer Meshdatei unterstützt " + fileName)));
    EXPECT_TRUE(BufferNames().empty());
}

TEST_F(MeshFiles, MaterialsAreRegisteredUnderTheModelFileName)
{
    TestSupport::LogRecorder log;
    (void)GetMeshFiles().LoadMesh(WriteModel("box.obj", "mtllib box.mtl\n"));

    const auto plain = GetMaterials().Get("box.obj.m");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetName(), "box.obj.m");
    EXPECT_EQ(plain->GetColors()->diffuse, Common::Color(255, 127, 0, 127));
    EXPECT_EQ(plain->GetColors()->ambient, Common::Color(0, 0, 0, 127));
    EXPECT_EQ(plain->GetTexture(), nullptr);
    EXPECT_EQ(GetMaterials().Get("m"), nullptr);

    // The texture failed to load (no skin.png yet): a warning, and the material has no texture.
    const auto textured = GetMaterials().Get("box.obj.textured");
    ASSERT_NE(textured, nullptr);
    EXPECT_EQ(textured->GetTexture(), nullptr);
    EXPECT_EQ(textured->GetColors()->ambient, Common::Color(51, 51, 51, 255));
    EXPECT_FALSE(log.Warnings().empty());
    EXPECT_TRUE(log.Has("COLOR COLOR                    COLOR.A = 255"));
}

TEST_F(MeshFiles, TexturesAreFoundBesideTheMaterialFileThroughTheCache)
{
    VideoTests::WritePatternImage(folder, "models/skin.png", 8, 8);
    folder.Write("models/box.mtl", BoxMaterials);
    folder.Write("models/second.mtl", "newmtl textured\nmap_Kd skin.png\n");
    const std::string fileName = folder.Write("models/box.obj", "mtllib box.mtl\nmtllib second.mtl\n");
    (void)GetMeshFiles().LoadMesh(fileName);

    const auto first = GetMaterials().Get("box.obj.textured");
    ASSERT_NE(first->GetTexture(), nullptr);
    EXPECT_EQ(first->GetTexture()->GetSurfaces()->GetId(), folder.File("models/skin.png"));
    EXPECT_EQ(offscreen.Video().GetSurfaceManager().GetReferences(folder.File("models/skin.png")), 2);

    // Loading the model again replaces its materials by new ones of the same names.
    (void)GetMeshFiles().LoadMesh(fileName);
    EXPECT_NE(GetMaterials().Get("box.obj.textured"), first);
}

TEST_F(MeshFiles, CreateMeshDataComputesFlatNormalsAndUploadsOneGroup)
{
    const std::string fileName = WriteModel("tri.obj", "mtllib box.mtl\n"
                                                       "o tri\n"
                                                       "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\n"
                                                       "f 1 2 3\n"
                                                       "f 2 4 3\n"
                                                       "usemtl m\n");
    EXPECT_TRUE(GetMeshFiles().LoadMesh(fileName)->GetNormals().empty());

    TestSupport::LogRecorder log;
    const auto meshData = GetMeshFiles().CreateMeshData(fileName);
    const Data::VboIDs buffers = meshData->GetBuffers();
    EXPECT_EQ(buffers.count, 6);
    EXPECT_EQ(buffers.textureCoordinates, 0u);
    EXPECT_TRUE(log.Has("Created vbo Vertices, count: 6"));
    EXPECT_TRUE(log.Has("Created vbo Normals, count: 6"));
    EXPECT_EQ(BufferNames(), (std::vector<std::uint32_t>{buffers.vertices, buffers.normals}));

    // Counter-clockwise corners seen from +z: every unrolled normal is (0, 0, 1).
    std::vector<float> normals(18);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffers.normals);
    glGetBufferSubDataARB(GL_ARRAY_BUFFER_ARB, 0, 72, normals.data());
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    for (std::size_t corner = 0; corner < 6; ++corner)
        EXPECT_EQ((std::vector<float>{normals[corner * 3], normals[corner * 3 + 1], normals[corner * 3 + 2]}),
                  (std::vector<float>{0.0f, 0.0f, 1.0f}));

    // The mesh has a copy of the registered material, and copies of the mesh share its buffers.
    const auto registered = GetMaterials().Get("tri.obj.m");
    EXPECT_NE(meshData->GetMaterial(), registered);
    EXPECT_EQ(meshData->GetMaterial()->GetColors()->diffuse, registered->GetColors()->diffuse);
    const Data::MeshData copy(*meshData);
    EXPECT_EQ(copy.GetBuffers().vertices, buffers.vertices);
    EXPECT_NE(copy.GetMaterial(), meshData->GetMaterial());
}

TEST_F(MeshFiles, TheShippedModelsUpload)
{
    const std::string sphere = std::string(QUARNEL_SOURCE_DIR) + "/daten/models/sphere.obj";
    const auto sphereData = GetMeshFiles().CreateMeshData(sphere);
    EXPECT_EQ(sphereData->GetBuffers().count, 960 * 3);
    EXPECT_NE(sphereData->GetBuffers().textureCoordinates, 0u);
    EXPECT_EQ(sphereData->GetMaterial()->GetName(), "sphere.obj.sphere");
    EXPECT_EQ(BufferNames().size(), 3u);

    const std::string ground = std::string(QUARNEL_SOURCE_DIR) + "/daten/models/ground.obj";
    const auto groundData = GetMeshFiles().CreateMeshData(ground);
    EXPECT_EQ(groundData->GetBuffers().count, 17 * 3);
    EXPECT_EQ(groundData->GetBuffers().textureCoordinates, 0u);
    EXPECT_EQ(groundData->GetMaterial()->GetName(), "ground.obj.grid");
    EXPECT_EQ(BufferNames().size(), 5u);
}

TEST_F(MeshFiles, AGroupWithoutMaterialCannotBecomeAStaticMesh)
{
    const std::string unnamed = WriteModel("bare.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    EXPECT_THAT([&] { (void)GetMeshFiles().CreateMeshData(unnamed); },
                ThrowsMessage<std::runtime_error>(StrEq("Die Gruppe in " + unnamed + " hat kein Material")));
    const std::string undefined =
        WriteModel("undefined.obj", "mtllib box.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nusemtl nowhere\n");
    EXPECT_THROW((void)GetMeshFiles().CreateMeshData(undefined), std::runtime_error);
    EXPECT_TRUE(BufferNames().empty());
}

TEST_F(MeshFiles, BrokenModelFilesNameTheFileAndTheCause)
{
    const std::string missing = folder.File("missing.obj");
    EXPECT_THAT(
        [&] { (void)GetMeshFiles().LoadMesh(missing); },
        ThrowsMessage<std::runtime_error>(StrEq(ModelError(missing, "Datei " + missing + " ist nicht vorhanden"))));

    const std::string shortLine = WriteModel("short.obj", "v 1 2\n");
    EXPECT_THAT([&] { (void)GetMeshFiles().LoadMesh(shortLine); },
                ThrowsMessage<std::runtime_error>(StrEq(ModelError(shortLine, "3 Zahlen erwartet: \"1 2\""))));

    const std::string shortTexture = WriteModel("uv.obj", "vt 0.5 0.5\n");
    EXPECT_THAT([&] { (void)GetMeshFiles().LoadMesh(shortTexture); },
                ThrowsMessage<std::runtime_error>(StrEq(ModelError(shortTexture, "3 Zahlen erwartet: \"0.5 0.5\""))));

    const std::string garbage = WriteModel("garbage.obj", "vn 0 zero 1\n");
    EXPECT_THAT([&] { (void)GetMeshFiles().LoadMesh(garbage); },
                ThrowsMessage<std::runtime_error>(StrEq(ModelError(garbage, "Zahl erwartet: \"zero\""))));

    const std::string badFace = WriteModel("face.obj", "v 0 0 0\nf 1 2/a 3\n");
    EXPECT_THAT([&] { (void)GetMeshFiles().LoadMesh(badFace); },
                ThrowsMessage<std::runtime_error>(
                    StrEq(ModelError(badFace, "Fehler in text: \n1 2/a 3\nIndex erwartet: \"a\""))));

    // A corner past the lists is refused when the file is read, before anything could read past them.
    const std::string pastEnd = WriteModel("past.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 4\n");
    EXPECT_THAT([&] { (void)GetMeshFiles().LoadMesh(pastEnd); },
                ThrowsMessage<std::runtime_error>(
                    StrEq(ModelError(pastEnd, "Eckpunkt verweist auf Position 4, die Datei hat nur 3"))));
    const std::string pastNormals = WriteModel("pastn.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//2\n");
    EXPECT_THAT([&] { (void)GetMeshFiles().LoadMesh(pastNormals); },
                ThrowsMessage<std::runtime_error>(
                    StrEq(ModelError(pastNormals, "Eckpunkt verweist auf Normale 2, die Datei hat nur 1"))));
}

TEST_F(MeshFiles, KeywordsAreWholeWordsAndEachMaterialFileIsReadOnce)
{
    folder.Write("models/box.mtl", BoxMaterials);
    const std::string fileName = folder.Write("models/words.obj", "vtx 1 2 3\n"
                                                                  "vn# 1 2 3\n"
                                                                  "vt\t0.5 0.5 0\n"
                                                                  "mtllibs box.mtl\n"
                                                                  "mtllib box.mtl\n"
                                                                  "mtllib ./box.mtl\n"
                                                                  "mtllib ../models/box.mtl\n"
                                                                  "usemtlx textured\n"
                                                                  "usemtl m\n"
                                                                  "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    const TestSupport::LogRecorder log;
    const auto mesh = GetMeshFiles().LoadMesh(fileName);
    EXPECT_EQ(mesh->GetTextureCoordinates().size(), 1u);
    EXPECT_TRUE(mesh->GetNormals().empty());
    EXPECT_EQ(mesh->GetFaceGroups()[0].material, GetMaterials().Get("words.obj.m"));
    // One reading of the material file for three lines naming it three ways.
    const std::vector<std::string> texts = log.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Reading File " + folder.File("models/box.mtl")), 1);
}

TEST_F(MeshFiles, FilesBeyondTheLimitsAreRefusedNamingFileAndSize)
{
    GetMeshFiles().SetLimits(ModelLimits{.maxFileBytes = 200, .maxElements = 3});
    const TestSupport::LogRecorder log;
    const std::string fourPositions = WriteModel("four.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\n");
    EXPECT_THAT([&] { (void)GetMeshFiles().LoadMesh(fourPositions); },
                ThrowsMessage<std::runtime_error>(StrEq(ModelError(
                    fourPositions, "Die Datei " + fourPositions + " hat 4 Eckpunkte, erlaubt sind höchstens 3"))));
    // A face of six corners is four triangles, counted before any is stored.
    const std::string hexagon = WriteModel("hexagon.obj", "v 0 0 0\nf 1 1 1 1 1 1\n");
    EXPECT_THAT([&] { (void)GetMeshFiles().LoadMesh(hexagon); },
                ThrowsMessage<std::runtime_error>(
                    StrEq(ModelError(hexagon, "Die Datei " + hexagon + " hat 4 Dreiecke, erlaubt sind höchstens 3"))));
    const std::string large = WriteModel("large.obj", "#" + std::string(200, ' ') + "\n");
    EXPECT_THAT([&] { (void)GetMeshFiles().LoadMesh(large); },
                ThrowsMessage<std::runtime_error>(StrEq(ModelError(
                    large, "Die Datei " + large + " ist 202 Bytes groß, erlaubt sind höchstens 200 Bytes"))));
    // The material files named by a model have the same limits.
    folder.Write("many.mtl", "newmtl a\nnewmtl b\nnewmtl c\nnewmtl d\n");
    const std::string manyMaterials = folder.Write("many.obj", "mtllib many.mtl\n");
    EXPECT_THAT([&] { (void)GetMeshFiles().LoadMesh(manyMaterials); },
                ThrowsMessage<std::runtime_error>(HasSubstr("hat 4 Materialien, erlaubt sind höchstens 3")));
    EXPECT_EQ(log.Warnings().size(), 4u);
}

TEST_F(MeshFiles, BrokenMaterialFilesNameTheMaterialFile)
{
    const std::string materialPath = folder.File("broken.mtl");
    const auto expectMaterialError = [&](const std::string& materialText, const std::string& cause) {
        folder.Write("broken.mtl", materialText);
        const std::string model = folder.Write("broken.obj", "mtllib broken.mtl\n");
        EXPECT_THAT([&] { (void)GetMeshFiles().LoadMesh(model); },
                    ThrowsMessage<std::runtime_error>(
                        StrEq(ModelError(model, "Fehler in Materialdatei:" + materialPath + "\n" + cause))));
    };
    expectMaterialError("newmtl a\nKd red green blue\n", "Zahl erwartet: \"red\"");
    expectMaterialError("newmtl a\nKs 1 1\n", "3 Zahlen erwartet: \"1 1\"");
    expectMaterialError("newmtl a\nd x\n", "Zahl erwartet: \"x\"");
    expectMaterialError("map_Kd skin.png\nnewmtl a\n", "map_Kd vor dem ersten newmtl");

    std::filesystem::remove(materialPath);
    const std::string model = folder.Write("broken.obj", "mtllib broken.mtl\n");
    EXPECT_THAT(
        [&] { (void)GetMeshFiles().LoadMesh(model); },
        ThrowsMessage<std::runtime_error>(StrEq(ModelError(
            model, "Fehler in Materialdatei:" + materialPath + "\nDatei " + materialPath + " ist nicht vorhanden"))));
}

TEST_F(MeshFiles, MaterialLinesBeforeTheFirstNewmtlAndUnknownLinesAreIgnored)
{
    folder.Write("loose.mtl", "Kd 1 1 1\nd 0.1\nKa not a colour\n\nNs 96\nillum 2\nnewmtl a\nKs 0 1 0\nTr 0.3\n");
    (void)GetMeshFiles().LoadMesh(folder.Write("loose.obj", "mtllib loose.mtl\ng ignored\nvp 1 2 3\nl 1 2\n"));
    const auto material = GetMaterials().Get("loose.obj.a");
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->GetColors()->diffuse, Common::Color(0, 0, 0, 255));
    EXPECT_EQ(material->GetColors()->specular, Common::Color(0, 255, 0, 255));
}

} // namespace
} // namespace Quarnel::GameEngine2D::Video
