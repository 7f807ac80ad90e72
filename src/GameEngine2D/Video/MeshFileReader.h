#pragma once

#include "Common/Color.h"
#include "GameEngine2D/Video/Data/Face.h"
#include "GameEngine2D/Video/Data/Forward.h"
#include "GameEngine2D/Video/Data/VertexRecord.h"
#include "GameEngine2D/Video/Forward.h"
#include "GameEngine2D/Video/ModelLimits.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Quarnel::GameEngine2D::Video
{

// The one place that knows the model (OBJ) and material (MTL) subset: it reads model files with their material files
// into indexed meshes, registers the materials (as model file name + "." + material name) with their textures, and
// uploads one-group models into vertex buffers. Its text readers are strict: a missing, unreadable or non-finite
// number raises std::runtime_error naming the text, never a made-up value. Keywords count as whole words only
// ("vtx" is no "vt"). Files beyond the limits are refused before they are read or stored.
class MeshFileReader final
{
public:
    MeshFileReader(Materials& registry, ImageLoader& imageLoader, VertexBuffers& buffers) noexcept;
    MeshFileReader(const MeshFileReader&) = delete;
    MeshFileReader& operator=(const MeshFileReader&) = delete;
    virtual ~MeshFileReader() = default;

    // Reads a model with exactly one group and uploads it; the result has its own copy of the group's material.
    virtual std::shared_ptr<Data::MeshData> CreateMeshData(const std::string& fileName);
    // Reads a model file and its material files into an indexed mesh.
    virtual std::shared_ptr<Data::IndexedVertices> LoadMesh(const std::string& fileName);
    // Reads a material file into the registry, registering each material as modelFileName + "." + name.
    void LoadMaterials(const std::string& modelFileName, const std::string& materialPath);

    [[nodiscard]] const ModelLimits& GetLimits() const noexcept { return limits; }
    void SetLimits(const ModelLimits& newLimits) noexcept { limits = newLimits; }

    // Three numbers separated by blanks; further numbers are ignored.
    [[nodiscard]] static Data::VertexRecord ReadTriple(std::string_view text);
    // One decimal number, finite: "+-1", "nan", "inf" and numbers beyond the float range are refused.
    [[nodiscard]] static float ReadNumber(std::string_view text);
    // A colour from three numbers r g b in 0..1: (r, g, b) x 255 truncated, alpha 255.
    [[nodiscard]] static Common::Color ReadColor(std::string_view text);
    // A 0..1 fraction as a channel value: x 255 truncated, kept inside 0..255.
    [[nodiscard]] static int ToChannel(float fraction) noexcept;

    // The triangles of a face line's corners ("v", "v/t", "v//n", "v/t/n", numbered from 1), split as a fan around the
    // first corner; fewer than three corners give none. Errors: "Fehler in text: \n" + text + "\n" + the reason.
    [[nodiscard]] static std::vector<Data::Face> ReadFace(std::string_view text);

    // The folder part of a path, separator included, with backslashes turned into forward slashes ("" for none).
    [[nodiscard]] static std::string FolderOf(std::string_view path);
    // The file name of a path without its folder, extension kept.
    [[nodiscard]] static std::string FileNameOf(std::string_view path);

    // The blank-separated words of a line (tabs and repeated blanks separate too).
    [[nodiscard]] static std::vector<std::string_view> SplitWords(std::string_view text);

private:
    // LoadMesh and LoadMaterials without their error wrapping.
    std::shared_ptr<Data::IndexedVertices> ReadMesh(const std::string& fileName);
    void ReadMaterials(const std::string& modelFileName, const std::string& materialPath);
    // The whole file, after its size was checked against the limits.
    [[nodiscard]] std::string ReadLimitedFile(const std::string& fileName) const;
    // Refuses a count of one kind of entry beyond the limits, naming the file.
    void CheckCount(const std::string& fileName, std::size_t count, const char* what) const;

    Materials& materials;
    ImageLoader& images;
    VertexBuffers& vertexBuffers;
    ModelLimits limits;
};

} // namespace Quarnel::GameEngine2D::Video
