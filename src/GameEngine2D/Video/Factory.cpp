#include "GameEngine2D/Video/Factory.h"

#include "Common/FileSystem/File.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Video/Data/IndexedVertices.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/GlyphRenderer.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Video/Materials.h"
#include "GameEngine2D/Video/MeshFileReader.h"
#include "GameEngine2D/Video/Surface.h"
#include "GameEngine2D/Video/SurfaceManager.h"
#include "GameEngine2D/Video/Surfaces.h"
#include "GameEngine2D/Video/Texture.h"

#include <SDL_image.h>
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace Quarnel::GameEngine2D::Video
{

namespace
{

// Every texture part is a 32-bit RGBA image whatever the window depth: the upload reads four bytes per pixel.
constexpr int TextureBitsPerPixel = 32;

// A pixel size from a float: truncated, and refused when it is no size at all (negative, NaN, too large), since
// converting such a float to int is undefined.
int ToPixels(float length, const char* what)
{
    if (!(length >= 0.0f) || length >= static_cast<float>(std::numeric_limits<int>::max()))
        throw std::invalid_argument(std::string("ungültige Bildgröße (") + what + "): " + std::to_string(length));
    return static_cast<int>(length);
}

[[noreturn]] void WarnAndThrow(const std::string& message)
{
    Common::MyLog::Warning(message);
    throw std::runtime_error(message);
}

// The rest of a line from a character position on; empty when the line is shorter.
std::string_view RestFrom(std::string_view line, std::size_t position)
{
    return position < line.size() ? line.substr(position) : std::string_view();
}

// The one number of a line such as "d 0.5".
float ReadSingleNumber(std::string_view text)
{
    const std::vector<std::string_view> words = MeshFileReader::SplitWords(text);
    if (words.empty())
        throw std::runtime_error("Zahl erwartet: \"" + std::string(text) + "\"");
    return MeshFileReader::ReadNumber(words.front());
}

Common::Color WithAlpha(Common::Color color, int alpha)
{
    return Common::Color(color.r, color.g, color.b, alpha);
}

// Every corner must point into the file's lists; OBJ numbers count from 1, so the message shows the file's number.
void CheckReference(int index, std::size_t count, const char* listName)
{
    if (index >= 0 && static_cast<std::size_t>(index) >= count)
        throw std::runtime_error(std::string("Eckpunkt verweist auf ") + listName + " " + std::to_string(index + 1) +
                                 ", die Datei hat nur " + std::to_string(count));
}

void CheckCorners(const std::vector<Data::FaceGroup>& groups, std::size_t positionCount,
                  std::size_t textureCoordinateCount, std::size_t normalCount)
{
    for (const Data::FaceGroup& group : groups)
        for (const Data::Face& face : group.faces)
            for (const Data::Index& corner : face.indices)
            {
                CheckReference(corner.vertex, positionCount, "Position");
                CheckReference(corner.texture, textureCoordinateCount, "Texturkoordinate");
                CheckReference(corner.normal, normalCount, "Normale");
            }
}
} // namespace

Factory::Factory(Engine& videoEngine) noexcept : engine(videoEngine) {}

Factory::~Factory() = default;

// ---------------------------------------------------------------------------------------------------------------------
// Images

std::shared_ptr<Surfaces> Factory::CreateSurfaces(const std::string& id, Common::Point2D size)
{
    SdlSurface image = CreateBlankImage(ToPixels(size.X(), "x"), ToPixels(size.Y(), "y"));
    return ConvertToSurfaces(*image.Get(), id);
}

std::shared_ptr<Surfaces> Factory::CreateSurfaceFromFile(const std::string& fileName, bool useCache)
{
    Common::MyLog::Info("CreateSurfaceFromFile " + fileName);
    SurfaceManager& surfaceManager = engine.GetSurfaceManager();
    if (useCache)
    {
        if (auto cached = surfaceManager.Get(fileName))
        {
            Common::MyLog::Info("CreateSurfaceFromFile, getting cached " + fileName);
            return cached;
        }
    }
    Common::MyLog::Info("CreateSurfaceFromFile, Load new: " + fileName);
    auto surfaces = LoadImage(fileName);
    Common::MyLog::Info("CreateSurfaceFromFile, Image loaded: " + fileName);
    if (useCache)
        surfaceManager.Add(surfaces);
    return surfaces;
}

std::shared_ptr<Texture> Factory::CreateTexture(const std::string& id, Common::Point2D size)
{
    return std::make_shared<Texture>(CreateSurfaces(id, size));
}

std::shared_ptr<Texture> Factory::CreateTextureFromFile(const std::string& fileName, bool useCache)
{
    try
    {
        return std::make_shared<Texture>(CreateSurfaceFromFile(fileName, useCache));
    }
    catch (const std::exception& error)
    {
        // A picture without its image is still a usable picture: the caller decides what to do with none.
        Common::MyLog::Warning(error.what());
        return nullptr;
    }
}

void Factory::FreeTexture(const Texture& texture)
{
    FreeSurfaces(*texture.GetSurfaces());
}

void Factory::FreeSurfaces(const Surfaces& surfaces)
{
    engine.GetSurfaceManager().Release(surfaces);
}

void Factory::DeleteTextures(Surfaces& surfaces)
{
    for (Surface& part : surfaces.GetSurfaces())
        part.DeleteTexture();
}

int Factory::NextTextureSize(int remaining) const
{
    if (remaining <= 8)
        return 8;
    int edge = 16;
    while (edge < remaining && edge < 4096)
        edge *= 2;
    // The limit never goes below the minimum edge of 8: a smaller (or zero) limit would make parts that are not
    // powers of two, or no progress at all.
    return std::max(std::min(edge, engine.GetSettings().GetMaxTextureSize()), 8);
}

SdlSurface Factory::CreateBlankImage(int width, int height) const
{
    const MaskData& masks = engine.GetMaskData();
    SdlSurface image(SDL_CreateRGBSurface(0, width, height, TextureBitsPerPixel, masks.GetRedMask(),
                                          masks.GetGreenMask(), masks.GetBlueMask(), masks.GetAlphaMask()));
    if (!image)
        throw std::runtime_error(std::string("Can't create image: ") + SDL_GetError());
    return image;
}

std::shared_ptr<Surfaces> Factory::LoadImage(const std::string& fileName)
{
    if (!Common::FileSystem::File::Exists(fileName))
        WarnAndThrow("Datei " + fileName + " ist nicht vorhanden");
    Common::MyLog::Info("Datei " + fileName + " wird geladen");

    // A zero character inside the name would silently cut it short for the C library and open another file.
    // The message shows the zero as \0, since the message text itself ends at a zero character.
    if (fileName.find('\0') != std::string::npos)
    {
        std::string printable;
        for (const char character : fileName)
            printable += character == '\0' ? std::string("\\0") : std::string(1, character);
        WarnAndThrow("Error loading image " + printable + " - Dateiname enthält Sonderzeichen.");
    }

    SdlSurface image(IMG_Load(fileName.c_str()));
    if (!image)
        WarnAndThrow("Error loading image " + fileName + "/nSDL Error: " + SDL_GetError());

    // Without blending the blits of SplitImage copy the alpha channel instead of blending with it.
    SDL_SetSurfaceBlendMode(image.Get(), SDL_BLENDMODE_NONE);
    return ConvertToSurfaces(*image.Get(), fileName);
}

std::shared_ptr<Surfaces> Factory::ConvertToSurfaces(SDL_Surface& image, const std::string& id)
{
    Common::MyLog::Info("ConvertToSurfaces " + id + " START");
    std::vector<Surface> parts = SplitImage(image, id);
    const std::size_t count = parts.size();
    auto surfaces = std::make_shared<Surfaces>(
        id, std::move(parts), Common::Point2D(static_cast<float>(image.w), static_cast<float>(image.h)));
    Common::MyLog::Info("ConvertToSurfaces " + id + " END, returning " + std::to_string(count) + " Surfaces");
    return surfaces;
}

std::vector<Surface> Factory::SplitImage(SDL_Surface& image, const std::string& id)
{
    std::vector<Surface> parts;
    const int width = image.w;
    const int height = image.h;
    try
    {
        // Column by column from the left, top to bottom within a column; each part holds its piece in its top-left
        // corner and transparent pixels elsewhere.
        for (int x = 0; x < width;)
        {
            const int deltaX = NextTextureSize(width - x);
            Common::MyLog::Info("deltaX = " + std::to_string(deltaX));
            const int partWidth = std::min(deltaX, width - x);
            for (int y = 0; y < height;)
            {
                const int deltaY = NextTextureSize(height - y);
                Common::MyLog::Info("deltaY = " + std::to_string(deltaY));
                const int partHeight = std::min(deltaY, height - y);

                SdlSurface piece = CreateBlankImage(deltaX, deltaY);
                SDL_Rect source{x, y, partWidth, partHeight};
                SDL_Rect target{0, 0, partWidth, partHeight};
                if (SDL_BlitSurface(&image, &source, piece.Get(), &target) < 0)
                    throw std::runtime_error(std::string("Blit fehlgeschlagen: ") + SDL_GetError());

                const Common::Point2D position(static_cast<float>(x), static_cast<float>(y));
                parts.emplace_back(CreateGlTexture(std::move(piece)),
                                   Common::Point2D(static_cast<float>(deltaX), static_cast<float>(deltaY)), position);
                Common::MyLog::Info("New Surface-Part - Position links: " + position.ToString() + id);
                Common::MyLog::Info("                   rechts       X: " + std::to_string(x + partWidth) +
                                    " Y: " + std::to_string(y + partHeight));
                y += deltaY;
            }
            x += deltaX;
        }
    }
    catch (const std::exception& error)
    {
        // The parts made so far are kept; with none, Surfaces refuses the result.
        Common::MyLog::Info(std::string("ohje: ") + error.what() + " /n SDL: " + SDL_GetError());
    }
    Common::MyLog::Info("End Splitt Surface 1");
    Common::MyLog::Info("End Splitt Surface 2");
    return parts;
}

GlTexture Factory::CreateGlTexture(SdlSurface image)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    GlTexture texture(name);
    glBindTexture(GL_TEXTURE_2D, name);

    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    // Rows are uploaded top row first, so texture row 0 is the image's top row.
    SDL_Surface* pixels = image.Get();
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pixels->pitch / pixels->format->BytesPerPixel);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, pixels->w, pixels->h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels->pixels);
    // Later uploads (and other code) expect the default row length again.
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);

    image.Reset();
    return texture;
}

// ---------------------------------------------------------------------------------------------------------------------
// Vertex buffers

std::uint32_t Factory::CreateBuffer(const std::vector<Data::VertexRecord>& records)
{
    GLuint name = 0;
    glGenBuffersARB(1, &name);
    bufferNames.emplace_back(name);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, name);
    glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(records.size() * sizeof(Data::VertexRecord)),
                    records.data(), GL_STATIC_DRAW_ARB);
    // Unbound again so that client-side vertex arrays elsewhere are not read as offsets into this buffer.
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    return name;
}

std::uint32_t Factory::CreatePositionBuffer(const std::vector<Data::VertexRecord>& records)
{
    return CreateBuffer(records);
}

std::uint32_t Factory::CreateNormalBuffer(const std::vector<Data::VertexRecord>& records)
{
    return CreateBuffer(records);
}

std::uint32_t Factory::CreateTextureBuffer(const std::vector<Data::VertexRecord>& records)
{
    return CreateBuffer(records);
}

void Factory::ReleaseAll()
{
    for (GlBuffer& buffer : bufferNames)
    {
        const std::string name = std::to_string(buffer.Get());
        Common::MyLog::Info("Delete VBO " + name);
        buffer.Reset();
        Common::MyLog::Info("VBO " + name + " deleted");
    }
    // Emptied so that a second ReleaseAll cannot delete a name that GL has handed out again meanwhile.
    bufferNames.clear();
}

std::vector<std::uint32_t> Factory::GetBufferNames() const
{
    std::vector<std::uint32_t> names;
    names.reserve(bufferNames.size());
    for (const GlBuffer& buffer : bufferNames)
        names.push_back(buffer.Get());
    return names;
}

// ---------------------------------------------------------------------------------------------------------------------
// Models and materials

std::shared_ptr<Data::MeshData> Factory::CreateMeshData(const std::string& fileName)
{
    const std::shared_ptr<Data::IndexedVertices> mesh = LoadMesh(fileName);
    if (mesh->GetNormals().empty())
        mesh->ComputeFaceNormals();
    const std::vector<Data::FaceGroup>& groups = mesh->GetFaceGroups();
    if (groups.size() != 1)
        throw std::runtime_error("derzeit wird nur eine Gruppe innerhal einer Meshdatei unterstützt " + fileName);
    // Checked before the upload, so a refused model leaves no buffers behind.
    const std::shared_ptr<Material> material = groups.front().material;
    if (!material)
        throw std::runtime_error("Die Gruppe in " + fileName + " hat kein Material");

    Data::VboIDs buffers;
    try
    {
        buffers = mesh->CreateBuffers(engine);
    }
    catch (const std::exception& error)
    {
        throw std::runtime_error("Fehler beim erstellen von " + fileName + "\n" + error.what());
    }
    return std::make_shared<Data::MeshData>(buffers, std::make_shared<Material>(*material));
}

std::shared_ptr<Data::IndexedVertices> Factory::LoadMesh(const std::string& fileName)
{
    try
    {
        return ReadMesh(fileName);
    }
    catch (const std::exception& error)
    {
        throw std::runtime_error("Fehler beim erstellen von " + fileName + "\n" + error.what());
    }
}

std::shared_ptr<Data::IndexedVertices> Factory::ReadMesh(const std::string& fileName)
{
    const std::vector<std::string> lines = Common::FileSystem::File::ReadLines(fileName);
    const std::string modelName = MeshFileReader::FileNameOf(fileName);
    const std::string modelFolder = MeshFileReader::FolderOf(fileName);
    Materials& materials = engine.GetMaterials();

    std::vector<Data::VertexRecord> positions;
    std::vector<Data::VertexRecord> textureCoordinates;
    std::vector<Data::VertexRecord> normals;
    std::vector<Data::Face> faces;
    std::vector<Data::FaceGroup> groups;
    std::string groupName;
    std::string materialName;

    // A group takes the material named last before it ends, not the one in force at its first face.
    const auto closeGroup = [&] {
        groups.push_back(Data::FaceGroup{std::move(faces), materials.Get(materialName), groupName});
        faces.clear();
    };

    for (const std::string& line : lines)
    {
        if (line.size() < 3)
            continue;
        const std::string_view text(line);
        if (text.starts_with("v "))
            positions.push_back(MeshFileReader::ReadTriple(text.substr(2)));
        else if (text.starts_with("vt"))
        {
            // Images are uploaded top row first, so v is negated; with repeating textures -v selects the row 1 - v.
            const Data::VertexRecord uvw = MeshFileReader::ReadTriple(text.substr(3));
            textureCoordinates.push_back({uvw.x, -uvw.y, uvw.z});
        }
        else if (text.starts_with("vn"))
            normals.push_back(MeshFileReader::ReadTriple(text.substr(3)));
        else if (text.starts_with("f "))
        {
            std::vector<Data::Face> triangles = MeshFileReader::ReadFace(text.substr(2));
            faces.insert(faces.end(), std::make_move_iterator(triangles.begin()),
                         std::make_move_iterator(triangles.end()));
        }
        else if (text.starts_with("o "))
        {
            if (!groupName.empty())
                closeGroup();
            groupName = line.substr(2);
        }
        else if (text.starts_with("mtllib"))
            LoadMaterials(modelName, modelFolder + std::string(RestFrom(text, 7)));
        else if (text.starts_with("usemtl"))
            materialName = modelName + "." + std::string(RestFrom(text, 7));
    }
    closeGroup();

    CheckCorners(groups, positions.size(), textureCoordinates.size(), normals.size());
    return std::make_shared<Data::IndexedVertices>(std::move(positions), std::move(textureCoordinates),
                                                   std::move(normals), std::move(groups));
}

void Factory::LoadMaterials(const std::string& modelFileName, const std::string& materialPath)
{
    try
    {
        ReadMaterials(modelFileName, materialPath);
    }
    catch (const std::exception& error)
    {
        throw std::runtime_error("Fehler in Materialdatei:" + materialPath + "\n" + error.what());
    }
}

void Factory::ReadMaterials(const std::string& modelFileName, const std::string& materialPath)
{
    const std::vector<std::string> lines = Common::FileSystem::File::ReadLines(materialPath);
    const std::string materialFolder = MeshFileReader::FolderOf(materialPath);
    std::shared_ptr<Material> current;

    for (const std::string& line : lines)
    {
        if (line.size() < 3)
            continue;
        const std::string_view text(line);
        if (text.starts_with("newmtl "))
        {
            current = engine.GetMaterials().Create(modelFileName + "." + std::string(text.substr(7)));
            current->SetColors(std::make_shared<Data::LightColors>());
        }
        else if (text.starts_with("map_Kd "))
        {
            if (!current)
                throw std::runtime_error("map_Kd vor dem ersten newmtl");
            // A texture that cannot be loaded leaves the material without one (the factory has warned).
            current->SetTexture(CreateTextureFromFile(materialFolder + std::string(text.substr(7)), true));
        }
        else if (text.starts_with("Ka ") || text.starts_with("Kd ") || text.starts_with("Ks "))
        {
            // Colours before the first newmtl belong to no material and are not read at all.
            if (!current)
                continue;
            Data::LightColors& colors = *current->GetColors();
            (text[1] == 'a'   ? colors.ambient
             : text[1] == 'd' ? colors.diffuse
                              : colors.specular) = MeshFileReader::ReadColor(text.substr(3));
        }
        else if (text.starts_with("d "))
        {
            if (!current)
                continue;
            const int alpha = MeshFileReader::ToChannel(ReadSingleNumber(text.substr(2)));
            Data::LightColors& colors = *current->GetColors();
            colors.ambient = WithAlpha(colors.ambient, alpha);
            colors.diffuse = WithAlpha(colors.diffuse, alpha);
            colors.specular = WithAlpha(colors.specular, alpha);
        }
    }
    if (current)
        Common::MyLog::Info("COLOR COLOR" + std::string(20, ' ') +
                            "COLOR.A = " + std::to_string(current->GetColors()->ambient.a));
}

std::vector<std::shared_ptr<Texture>> Factory::CreateTextTextures(const std::string& text,
                                                                  const std::shared_ptr<Font>& font)
{
    const std::vector<std::shared_ptr<Surfaces>> characters = CreateTextSurfaces(text, font);
    std::vector<std::shared_ptr<Texture>> textures;
    textures.reserve(characters.size());
    for (const auto& character : characters)
        textures.push_back(std::make_shared<Texture>(character));
    return textures;
}

std::vector<std::shared_ptr<Surfaces>> Factory::CreateTextSurfaces(const std::string& text,
                                                                   const std::shared_ptr<Font>& font)
{
    return GlyphRenderer(*this, engine.GetSurfaceManager()).CreateTextSurfaces(text, font);
}

std::shared_ptr<Surfaces> Factory::CreateTextSurface(const std::string& text, Common::Color)
{
    return GlyphRenderer(*this, engine.GetSurfaceManager()).CreateTextSurface(text);
}

} // namespace Quarnel::GameEngine2D::Video
