// The model (OBJ) and material (MTL) reader on arbitrary files. The input up to its first zero byte is the model
// file, the rest the material file "m.mtl" beside it (so "mtllib m.mtl" reaches it). The reader must either refuse
// the files with an exception or give a mesh whose numbers are all finite and whose corners all point into its
// lists; a one-group mesh with a material must then upload. Limits far below the program's make the refusals of
// oversized files reachable with small inputs.
#include "FuzzSupport.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Video/Data/IndexedVertices.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Materials.h"
#include "GameEngine2D/Video/MeshFileReader.h"
#include "GameEngine2D/Video/ModelLimits.h"
#include "GameEngine2D/Video/VertexBuffers.h"
#include "GameEngine2D/Video/VideoSettings.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace
{

namespace Video = Quarnel::GameEngine2D::Video;
using Quarnel::Fuzz::Check;

// A folder per process for the two files, in memory where the system offers it, removed when the process ends.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::error_code error;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
        path = base / ("zandrel_fuzz_obj_" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }

    std::string Write(const std::string& name, std::string_view bytes) const
    {
        const std::string fileName = (path / name).string();
        std::ofstream stream(fileName, std::ios::binary | std::ios::trunc);
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return fileName;
    }

private:
    std::filesystem::path path;
};

// The engine once per process: material textures need its image loader and GL context, uploads its buffers.
Quarnel::GameEngine2D::GameEngine& Engine()
{
    static Quarnel::GameEngine2D::GameEngine engine(Video::VideoSettings({64.0f, 64.0f}, 32, false, 1024),
                                                    "Zandrel fuzz", nullptr);
    return engine;
}

bool Finite(const Video::Data::VertexRecord& record)
{
    return std::isfinite(record.x) && std::isfinite(record.y) && std::isfinite(record.z);
}

bool AllFinite(const std::vector<Video::Data::VertexRecord>& records)
{
    for (const Video::Data::VertexRecord& record : records)
    {
        if (!Finite(record))
            return false;
    }
    return true;
}

bool Inside(int index, std::size_t count, bool mayBeAbsent)
{
    return index == -1 ? mayBeAbsent : index >= 0 && static_cast<std::size_t>(index) < count;
}

bool CornersInside(const Video::Data::IndexedVertices& mesh)
{
    for (const Video::Data::FaceGroup& group : mesh.GetFaceGroups())
    {
        for (const Video::Data::Face& face : group.faces)
        {
            for (const Video::Data::Index& corner : face.indices)
            {
                if (!Inside(corner.vertex, mesh.GetPositions().size(), false) ||
                    !Inside(corner.texture, mesh.GetTextureCoordinates().size(), true) ||
                    !Inside(corner.normal, mesh.GetNormals().size(), true))
                    return false;
            }
        }
    }
    return true;
}

} // namespace

// The engine is made before the first input, so that what SDL and the GL driver keep for the whole process is not
// taken for a leak of that input.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    (void)Engine();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Quarnel::Fuzz::SilenceLog();
    static const ScratchFolder folder;
    const std::string_view bytes = Quarnel::Fuzz::AsText(data, size);
    const std::size_t split = bytes.find('\0');
    const std::string model = folder.Write("model.obj", bytes.substr(0, split));
    folder.Write("m.mtl", split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1));

    // A registry and buffers of its own per input, so that nothing piles up from one input to the next.
    Video::Materials materials;
    Video::VertexBuffers buffers;
    Video::MeshFileReader reader(materials, Engine().GetVideoEngine().GetImages(), buffers);
    reader.SetLimits(Video::ModelLimits{.maxFileBytes = 8192, .maxElements = 200});

    std::shared_ptr<Video::Data::IndexedVertices> mesh;
    try
    {
        mesh = reader.LoadMesh(model);
    }
    catch (const std::exception&)
    {
        return 0;
    }
    Check(AllFinite(mesh->GetPositions()) && AllFinite(mesh->GetTextureCoordinates()) && AllFinite(mesh->GetNormals()),
          "a loaded mesh holds only finite numbers", bytes);
    Check(CornersInside(*mesh), "every corner of a loaded mesh points into its lists", bytes);
    Check(!mesh->GetFaceGroups().empty(), "a loaded mesh has a group", bytes);

    if (mesh->GetFaceGroups().size() == 1 && mesh->GetFaceGroups().front().material)
    {
        try
        {
            (void)reader.CreateMeshData(model);
        }
        catch (const std::exception&)
        {
            // Unrolling refuses what it cannot upload, such as corners without texture coordinates in a mesh that
            // has some; refusing is fine, crashing is not.
        }
    }
    buffers.ReleaseAll();
    return 0;
}
