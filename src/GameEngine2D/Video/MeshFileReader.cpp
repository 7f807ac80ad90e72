#include "GameEngine2D/Video/MeshFileReader.h"

#include "Common/FileSystem/File.h"
#include "Common/Helper.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Video/Data/IndexedVertices.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/ImageLoader.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Video/Materials.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>

namespace Quarnel::GameEngine2D::Video
{

namespace
{

// A corner part: an OBJ number counting from 1, turned into a list index counting from 0. Relative (negative)
// numbers are not supported.
int ReadCornerNumber(std::string_view part)
{
    int number = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), number);
    if (error != std::errc() || end != part.data() + part.size())
        throw std::runtime_error("Index erwartet: \"" + std::string(part) + "\"");
    if (number < 1)
        throw std::runtime_error("Index muss ab 1 zählen: \"" + std::string(part) + "\"");
    return number - 1;
}

Data::Index ReadCorner(std::string_view corner)
{
    Data::Index index;
    int* const targets[] = {&index.vertex, &index.texture, &index.normal};
    std::size_t part = 0;
    std::size_t start = 0;
    while (true)
    {
        const std::size_t slash = corner.find('/', start);
        const std::string_view text = corner.substr(start, slash == std::string_view::npos ? slash : slash - start);
        if (part >= std::size(targets))
            throw std::runtime_error("zu viele Teile im Eckpunkt \"" + std::string(corner) + "\"");
        if (!text.empty())
            *targets[part] = ReadCornerNumber(text);
        ++part;
        if (slash == std::string_view::npos)
            break;
        start = slash + 1;
    }
    if (index.vertex < 0)
        throw std::runtime_error("Eckpunkt ohne Position: \"" + std::string(corner) + "\"");
    return index;
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

// A keyword of a line counts only as a whole word: followed by a blank or a tab, so "vtx" or "vn#" are no "vt"
// or "vn" and fall among the ignored lines.
bool IsKeyword(std::string_view line, std::string_view keyword)
{
    return line.size() > keyword.size() && line.starts_with(keyword) &&
           (line[keyword.size()] == ' ' || line[keyword.size()] == '\t');
}

bool IsDecimalDigit(char character)
{
    return character >= '0' && character <= '9';
}

bool IsNumberCharacter(char character)
{
    return IsDecimalDigit(character) || character == '.' || character == 'e' || character == 'E' || character == '+' ||
           character == '-';
}

std::size_t CountWords(std::string_view text)
{
    std::size_t words = 0;
    bool inWord = false;
    for (const char character : text)
    {
        const bool separator = character == ' ' || character == '\t';
        if (!separator && !inWord)
            ++words;
        inWord = !separator;
    }
    return words;
}

// What a model file would store, counted before anything is stored.
struct ModelCounts
{
    std::size_t positions = 0;
    std::size_t textureCoordinates = 0;
    std::size_t normals = 0;
    std::size_t triangles = 0;
    std::size_t groups = 1;
};

ModelCounts CountModel(std::string_view text)
{
    ModelCounts counts;
    Common::FileSystem::File::ForEachLine(text, [&counts](std::string_view line) {
        if (line.size() < 3)
            return;
        if (IsKeyword(line, "v"))
            ++counts.positions;
        else if (IsKeyword(line, "vt"))
            ++counts.textureCoordinates;
        else if (IsKeyword(line, "vn"))
            ++counts.normals;
        else if (IsKeyword(line, "f"))
        {
            const std::size_t corners = CountWords(line.substr(2));
            counts.triangles += corners > 2 ? corners - 2 : 0;
        }
        else if (IsKeyword(line, "o"))
            ++counts.groups;
    });
    return counts;
}

// The name under which a material file counts as read: the same file named twice, also through "./" or "..",
// is read once.
std::string MaterialFileKey(const std::string& materialPath)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(materialPath, error);
    return error ? materialPath : resolved.string();
}
} // namespace

MeshFileReader::MeshFileReader(Materials& registry, ImageLoader& imageLoader, VertexBuffers& buffers) noexcept :
    materials(registry),
    images(imageLoader),
    vertexBuffers(buffers)
{
}

std::vector<std::string_view> MeshFileReader::SplitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t position = 0;
    while (position < text.size())
    {
        const std::size_t start = text.find_first_not_of(" \t", position);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
        words.push_back(text.substr(start, end - start));
        position = end;
    }
    return words;
}

float MeshFileReader::ReadNumber(std::string_view text)
{
    // One optional sign, then digits or a point: from_chars alone would also take "nan" and "inf", and after a
    // "+" taken off by hand a second sign ("+-1"). A leading "+", which OBJ writers do emit, is allowed.
    const bool negative = !text.empty() && text.front() == '-';
    std::string_view digits = text;
    if (!digits.empty() && (negative || digits.front() == '+'))
        digits.remove_prefix(1);
    const bool wellFormed = !digits.empty() && (digits.front() == '.' || IsDecimalDigit(digits.front())) &&
                            std::all_of(digits.begin(), digits.end(), IsNumberCharacter);
    if (wellFormed)
    {
        float value = 0.0f;
        const char* const last = digits.data() + digits.size();
        const auto [end, error] = std::from_chars(negative ? text.data() : digits.data(), last, value);
        if (error == std::errc() && end == last && std::isfinite(value))
            return value;
    }
    throw std::runtime_error("Zahl erwartet: \"" + std::string(text) + "\"");
}

Data::VertexRecord MeshFileReader::ReadTriple(std::string_view text)
{
    const std::vector<std::string_view> words = SplitWords(text);
    if (words.size() < 3)
        throw std::runtime_error("3 Zahlen erwartet: \"" + std::string(text) + "\"");
    return {ReadNumber(words[0]), ReadNumber(words[1]), ReadNumber(words[2])};
}

int MeshFileReader::ToChannel(float fraction) noexcept
{
    // Truncated towards zero like the file's 0..1 values always are; values outside (and NaN) are kept inside the
    // channel range, because converting an out-of-range float to int is undefined.
    const float scaled = fraction * 255.0f;
    if (!(scaled > 0.0f))
        return 0;
    if (scaled >= 255.0f)
        return 255;
    return static_cast<int>(scaled);
}

Common::Color MeshFileReader::ReadColor(std::string_view text)
{
    const Data::VertexRecord rgb = ReadTriple(text);
    return Common::Color(ToChannel(rgb.x), ToChannel(rgb.y), ToChannel(rgb.z), 255);
}

std::vector<Data::Face> MeshFileReader::ReadFace(std::string_view text)
{
    std::vector<Data::Face> triangles;
    try
    {
        std::vector<Data::Index> corners;
        for (const std::string_view word : SplitWords(text))
            corners.push_back(ReadCorner(word));
        for (std::size_t corner = 2; corner < corners.size(); ++corner)
            triangles.push_back(Data::Face{{corners[0], corners[corner - 1], corners[corner]}});
    }
    catch (const std::exception& error)
    {
        throw std::runtime_error("Fehler in text: \n" + std::string(text) + "\n" + error.what());
    }
    return triangles;
}

std::string MeshFileReader::FolderOf(std::string_view path)
{
    std::string folder(
        path.substr(0, path.find_last_of("/\\") == std::string_view::npos ? 0 : path.find_last_of("/\\") + 1));
    for (char& character : folder)
        if (character == '\\')
            character = '/';
    return folder;
}

std::string MeshFileReader::FileNameOf(std::string_view path)
{
    const std::size_t separator = path.find_last_of("/\\");
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::shared_ptr<Data::MeshData> MeshFileReader::CreateMeshData(const std::string& fileName)
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
        buffers = mesh->CreateBuffers(vertexBuffers);
    }
    catch (const std::exception& error)
    {
        throw std::runtime_error("Fehler beim erstellen von " + fileName + "\n" + error.what());
    }
    return std::make_shared<Data::MeshData>(buffers, std::make_shared<Material>(*material));
}

std::shared_ptr<Data::IndexedVertices> MeshFileReader::LoadMesh(const std::string& fileName)
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

std::string MeshFileReader::ReadLimitedFile(const std::string& fileName) const
{
    // Checked before reading: a file that is too large costs nothing. A missing file is left to the reading,
    // which names it.
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(fileName, error);
    if (!error && bytes > limits.maxFileBytes)
        Common::Helper::Throw("Die Datei " + fileName + " ist " + std::to_string(bytes) +
                              " Bytes groß, erlaubt sind höchstens " + std::to_string(limits.maxFileBytes) + " Bytes");
    return Common::FileSystem::File::ReadText(fileName);
}

void MeshFileReader::CheckCount(const std::string& fileName, std::size_t count, const char* what) const
{
    if (count > limits.maxElements)
        Common::Helper::Throw("Die Datei " + fileName + " hat " + std::to_string(count) + " " + what +
                              ", erlaubt sind höchstens " + std::to_string(limits.maxElements));
}

std::shared_ptr<Data::IndexedVertices> MeshFileReader::ReadMesh(const std::string& fileName)
{
    const std::string text = ReadLimitedFile(fileName);
    const ModelCounts counts = CountModel(text);
    CheckCount(fileName, counts.positions, "Eckpunkte");
    CheckCount(fileName, counts.textureCoordinates, "Texturkoordinaten");
    CheckCount(fileName, counts.normals, "Normalen");
    CheckCount(fileName, counts.triangles, "Dreiecke");
    CheckCount(fileName, counts.groups, "Gruppen");

    const std::string modelName = FileNameOf(fileName);
    const std::string modelFolder = FolderOf(fileName);

    std::vector<Data::VertexRecord> positions;
    std::vector<Data::VertexRecord> textureCoordinates;
    std::vector<Data::VertexRecord> normals;
    std::vector<Data::Face> faces;
    std::vector<Data::FaceGroup> groups;
    positions.reserve(counts.positions);
    textureCoordinates.reserve(counts.textureCoordinates);
    normals.reserve(counts.normals);
    groups.reserve(counts.groups);
    std::string groupName;
    std::string materialName;
    // However many "mtllib" lines name a material file, it is read once: reading it again would only register
    // the same materials again, and a model naming it thousands of times would load in quadratic time.
    std::set<std::string> materialFilesRead;

    // A group takes the material named last before it ends, not the one in force at its first face.
    const auto closeGroup = [&] {
        groups.push_back(Data::FaceGroup{std::move(faces), materials.Get(materialName), groupName});
        faces.clear();
    };

    Common::FileSystem::File::ForEachLine(text, [&](std::string_view line) {
        if (line.size() < 3)
            return;
        if (IsKeyword(line, "v"))
            positions.push_back(ReadTriple(line.substr(2)));
        else if (IsKeyword(line, "vt"))
        {
            // Images are uploaded top row first, so v is negated; with repeating textures -v selects the row 1 - v.
            const Data::VertexRecord uvw = ReadTriple(line.substr(3));
            textureCoordinates.push_back({uvw.x, -uvw.y, uvw.z});
        }
        else if (IsKeyword(line, "vn"))
            normals.push_back(ReadTriple(line.substr(3)));
        else if (IsKeyword(line, "f"))
        {
            std::vector<Data::Face> triangles = ReadFace(line.substr(2));
            faces.insert(faces.end(), std::make_move_iterator(triangles.begin()),
                         std::make_move_iterator(triangles.end()));
        }
        else if (IsKeyword(line, "o"))
        {
            if (!groupName.empty())
                closeGroup();
            groupName = line.substr(2);
        }
        else if (IsKeyword(line, "mtllib"))
        {
            const std::string materialPath = modelFolder + std::string(RestFrom(line, 7));
            if (materialFilesRead.insert(MaterialFileKey(materialPath)).second)
                LoadMaterials(modelName, materialPath);
        }
        else if (IsKeyword(line, "usemtl"))
            materialName = modelName + "." + std::string(RestFrom(line, 7));
    });
    closeGroup();

    CheckCorners(groups, positions.size(), textureCoordinates.size(), normals.size());
    return std::make_shared<Data::IndexedVertices>(std::move(positions), std::move(textureCoordinates),
                                                   std::move(normals), std::move(groups));
}

void MeshFileReader::LoadMaterials(const std::string& modelFileName, const std::string& materialPath)
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

void MeshFileReader::ReadMaterials(const std::string& modelFileName, const std::string& materialPath)
{
    const std::string fileText = ReadLimitedFile(materialPath);
    std::size_t materialCount = 0;
    Common::FileSystem::File::ForEachLine(
        fileText, [&materialCount](std::string_view line) { materialCount += IsKeyword(line, "newmtl") ? 1 : 0; });
    CheckCount(materialPath, materialCount, "Materialien");

    const std::string materialFolder = FolderOf(materialPath);
    std::shared_ptr<Material> current;

    Common::FileSystem::File::ForEachLine(fileText, [&](std::string_view text) {
        if (text.size() < 3)
            return;
        if (IsKeyword(text, "newmtl"))
        {
            current = materials.Create(modelFileName + "." + std::string(text.substr(7)));
            current->SetColors(std::make_shared<Data::LightColors>());
        }
        else if (IsKeyword(text, "map_Kd"))
        {
            if (!current)
                throw std::runtime_error("map_Kd vor dem ersten newmtl");
            // A texture that cannot be loaded leaves the material without one (the image loader has warned).
            current->SetTexture(images.CreateTextureFromFile(materialFolder + std::string(text.substr(7)), true));
        }
        else if (IsKeyword(text, "Ka") || IsKeyword(text, "Kd") || IsKeyword(text, "Ks"))
        {
            // Colours before the first newmtl belong to no material and are not read at all.
            if (!current)
                return;
            Data::LightColors& colors = *current->GetColors();
            (text[1] == 'a'   ? colors.ambient
             : text[1] == 'd' ? colors.diffuse
                              : colors.specular) = ReadColor(text.substr(3));
        }
        else if (IsKeyword(text, "d"))
        {
            if (!current)
                return;
            const int alpha = ToChannel(ReadSingleNumber(text.substr(2)));
            Data::LightColors& colors = *current->GetColors();
            colors.ambient = WithAlpha(colors.ambient, alpha);
            colors.diffuse = WithAlpha(colors.diffuse, alpha);
            colors.specular = WithAlpha(colors.specular, alpha);
        }
    });
    if (current)
        Common::MyLog::Info("COLOR COLOR" + std::string(20, ' ') +
                            "COLOR.A = " + std::to_string(current->GetColors()->ambient.a));
}

} // namespace Quarnel::GameEngine2D::Video
