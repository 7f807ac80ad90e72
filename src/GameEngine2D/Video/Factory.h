#pragma once

#include "Common/Color.h"
#include "Common/Point2D.h"
#include "GameEngine2D/Video/Data/VertexRecord.h"
#include "GameEngine2D/Video/GlBuffer.h"
#include "GameEngine2D/Video/GlTexture.h"
#include "GameEngine2D/Video/SdlSurface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct SDL_Surface;

namespace Quarnel::GameEngine2D::Video
{

namespace Data
{
class IndexedVertices;
class MeshData;
} // namespace Data

class Engine;
class Font;
class Surface;
class Surfaces;
class Texture;

// Turns image files, blank images and model files into drawable data: images are cut into power-of-two texture parts
// no larger than the engine's maxTextureSize, file images are cached by file name, and meshes are uploaded into vertex
// buffers that the factory owns until ReleaseAll. Everything here needs the engine's GL context current.
class Factory
{
public:
    explicit Factory(Engine& videoEngine) noexcept;
    virtual ~Factory();
    Factory(const Factory&) = delete;
    Factory& operator=(const Factory&) = delete;

    // A blank (transparent) image of size (truncated to whole pixels), not cached; for pictures drawn into later.
    virtual std::shared_ptr<Surfaces> CreateSurfaces(const std::string& id, Common::Point2D size);
    // The image of a file. With useCache a cached image is returned with one more holder, and a new one is cached.
    // A missing or unreadable file: std::runtime_error with the text users see, also written as a warning.
    virtual std::shared_ptr<Surfaces> CreateSurfaceFromFile(const std::string& fileName, bool useCache);
    virtual std::shared_ptr<Texture> CreateTexture(const std::string& id, Common::Point2D size);
    // Like CreateSurfaceFromFile, wrapped in a Texture; any failure is written as a warning and gives null.
    virtual std::shared_ptr<Texture> CreateTextureFromFile(const std::string& fileName, bool useCache);

    // One texture per character (Unicode code point) of the UTF-8 text, each around the character's cached image:
    // what text nodes lay out. A null font: std::invalid_argument "font is null"; a font file that cannot be opened:
    // std::runtime_error.
    virtual std::vector<std::shared_ptr<Texture>> CreateTextTextures(const std::string& text,
                                                                     const std::shared_ptr<Font>& font);
    // One cached image per character, rendered at most once per font and character; the TrueType file is opened
    // only when some character is not cached yet, and at most once per call.
    virtual std::vector<std::shared_ptr<Surfaces>> CreateTextSurfaces(const std::string& text,
                                                                      const std::shared_ptr<Font>& font);
    // The whole text as one uncached image in white, size 18, from "Vera.ttf" in the working directory; `color` is
    // not used.
    virtual std::shared_ptr<Surfaces> CreateTextSurface(const std::string& text, Common::Color color);

    // Gives a texture's image back to the cache (counts one holder less); the textures stay in video memory.
    virtual void FreeTexture(const Texture& texture);
    virtual void FreeSurfaces(const Surfaces& surfaces);
    // Deletes the OpenGL textures of an image now; for images that are not in the cache.
    virtual void DeleteTextures(Surfaces& surfaces);

    // Reads a model with exactly one group and uploads it; the result has its own copy of the group's material.
    virtual std::shared_ptr<Data::MeshData> CreateMeshData(const std::string& fileName);
    // Reads a model file (OBJ subset) and its material files into an indexed mesh.
    virtual std::shared_ptr<Data::IndexedVertices> LoadMesh(const std::string& fileName);

    // Uploads tightly packed float triples into a new static vertex buffer and returns its name.
    virtual std::uint32_t CreatePositionBuffer(const std::vector<Data::VertexRecord>& records);
    virtual std::uint32_t CreateNormalBuffer(const std::vector<Data::VertexRecord>& records);
    virtual std::uint32_t CreateTextureBuffer(const std::vector<Data::VertexRecord>& records);
    // Deletes every vertex buffer this factory created (the engine's shut-down).
    virtual void ReleaseAll();

    // Cuts an image into texture parts and uploads them. The image stays the caller's; its blend mode should be
    // SDL_BLENDMODE_NONE so that its alpha channel is copied, not blended.
    std::shared_ptr<Surfaces> ConvertToSurfaces(SDL_Surface& image, const std::string& id);
    // Texture edge for a remaining image length: a power of two of at least 8, at most maxTextureSize above 8.
    [[nodiscard]] int NextTextureSize(int remaining) const;
    // Reads a material file into the engine's Materials, registering each material as modelFileName + "." + name.
    void LoadMaterials(const std::string& modelFileName, const std::string& materialPath);

    // Names of the vertex buffers created since the last ReleaseAll, in creation order.
    [[nodiscard]] std::vector<std::uint32_t> GetBufferNames() const;

private:
    [[nodiscard]] SdlSurface CreateBlankImage(int width, int height) const;
    std::shared_ptr<Surfaces> LoadImage(const std::string& fileName);
    std::vector<Surface> SplitImage(SDL_Surface& image, const std::string& id);
    GlTexture CreateGlTexture(SdlSurface image);
    std::uint32_t CreateBuffer(const std::vector<Data::VertexRecord>& records);
    // LoadMesh and LoadMaterials without their error wrapping.
    std::shared_ptr<Data::IndexedVertices> ReadMesh(const std::string& fileName);
    void ReadMaterials(const std::string& modelFileName, const std::string& materialPath);

    Engine& engine;
    std::vector<GlBuffer> bufferNames;
};

} // namespace Quarnel::GameEngine2D::Video
