#pragma once

// Declares every type of this namespace, for headers that only name them.
namespace Quarnel::GameEngine2D::Video
{

class Engine;
class Font;
class FontManager;
class GlyphRenderer;
class ImageLoader;
class MaskData;
class Material;
class Materials;
class MeshFileReader;
class Surface;
class SurfaceCache;
class SurfaceManager;
class Surfaces;
class Texture;
class VertexBuffers;
class VideoInfo;
class VideoSettings;
enum class BasicShapeType;

} // namespace Quarnel::GameEngine2D::Video
