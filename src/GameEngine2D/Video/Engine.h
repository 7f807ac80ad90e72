#pragma once

#include "Common/Color.h"
#include "Common/Point2D.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Video/BasicShapeType.h"
#include "GameEngine2D/Video/Data/Face.h"
#include "GameEngine2D/Video/Data/Forward.h"
#include "GameEngine2D/Video/Data/VboIDs.h"
#include "GameEngine2D/Video/Data/VertexRecord.h"
#include "GameEngine2D/Video/FontManager.h"
#include "GameEngine2D/Video/Forward.h"
#include "GameEngine2D/Video/GlyphAtlas.h"
#include "GameEngine2D/Video/ImageLoader.h"
#include "GameEngine2D/Video/LayerCache.h"
#include "GameEngine2D/Video/MaskData.h"
#include "GameEngine2D/Video/Materials.h"
#include "GameEngine2D/Video/MeshFileReader.h"
#include "GameEngine2D/Video/SurfaceManager.h"
#include "GameEngine2D/Video/VertexBuffers.h"
#include "GameEngine2D/Video/VideoInfo.h"
#include "GameEngine2D/Video/VideoSettings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct SDL_Window;
struct SDL_Surface;

namespace Quarnel::GameEngine2D::Video
{

// The two view set-ups a camera chooses between (SetView2D and SetView3D); no operation takes this type.
enum class ViewType
{
    View2D = 1,
    View3D = 2,
};

// The video engine: exactly one exists, created and owned by GameEngine. It opens the window with its OpenGL
// context, sets the fixed OpenGL state and offers what nodes call while the scene graph is drawn: the two view
// set-ups, the transform stack, the transparency stack and the drawing operations.
//
// Lifetime: the constructor opens the window; Dispose releases the drawable data (textures, buffers, surfaces)
// while the context is still current; CloseWindow, called by GameEngine just before SDL_Quit, destroys the
// context and the window. The destructor closes the window too if nobody did.
class Engine final
{
public:
    // Initialises SDL's video subsystem and opens the window titled `title`. Throws std::runtime_error with
    // "Can't initialize SDL:\n", "Ungültiger Farbmodus, Bit: " or "Can't set Videomode: \n" and the cause.
    Engine(const VideoSettings& videoSettings, const std::string& title);
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;
    virtual ~Engine();

    // ---- Construction and frame ----

    // Writes "Dispose VideoEngine", releases the vertex buffers and every cached surface, writes
    // "VideoEngine disposed". Never throws; leaves the window open.
    virtual void Dispose();
    virtual void ShowCursor(bool show);
    // Flat view: one unit is one pixel, origin at the window's top-left corner, y downwards, depth ±100.
    virtual void SetView2D(Common::Point3D eye, Common::Point3D center, Common::Point3D up);
    // Perspective view: 45° field of view, aspect width/height, near 1, far 1000. The up vector's y is negated.
    virtual void SetView3D(Common::Point3D eye, Common::Point3D center, Common::Point3D up);
    [[nodiscard]] virtual float GetDepth2D() const;
    // Start of a frame: light count 0, alpha stack empty, counters reset, colour and depth buffers cleared.
    virtual void InitFrame();
    virtual void SwapBuffers();

    // ---- Window ----

    // The picture of one frame, top row first, 24-bit RGB.
    using FrameCallback = std::function<void(SDL_Surface& picture)>;

    // Switches between the window and the desktop's full screen. Throws std::runtime_error with SDL's reason.
    void SetFullscreen(bool on);
    [[nodiscard]] bool IsFullscreen() const;
    // `done` receives the next frame's picture, read when every scene has drawn, just before SwapBuffers presents
    // it. Several requests in one frame all receive the same picture. What `done` throws is logged as a warning.
    void CaptureFrame(FrameCallback done);

    // ---- Transparency stack ----

    // The top of the stack is the transparency (0..255) of the nearest ancestor that set one; values are not
    // multiplied along the path.
    virtual void PushAlpha(int alpha);
    // Removes and returns the top. Throws std::out_of_range on an empty stack (pushes and pops are unbalanced).
    virtual int PopAlpha();

    // ---- Transforms ----

    // Pushes the modelview matrix, then translates by `position`, rotates by `rotation` (degrees, about x, then
    // y, then z) and scales by `scale`; an absent one is skipped. Counts one node in the VideoInfo.
    virtual void PushTransform(const std::optional<Common::Point3D>& position,
                               const std::optional<Common::Point3D>& rotation,
                               const std::optional<Common::Point3D>& scale);
    virtual void PushIdentity();
    virtual void PopTransform();
    virtual void PopMatrix();
    // The current modelview matrix, 16 floats in OpenGL's column-major order.
    [[nodiscard]] virtual std::array<float, 16> GetModelViewMatrix() const;

    // ---- Accessors ----

    // The window's drawable size: the start size until the window is resized or switched to full screen, which
    // the next InitFrame takes over (the views and the viewport follow it).
    [[nodiscard]] virtual Common::Point2D GetScreenSize() const;
    [[nodiscard]] virtual Common::Color GetBackgroundColor() const;
    // Takes effect at the next InitFrame.
    virtual void SetBackgroundColor(Common::Color color);
    [[nodiscard]] virtual const MaskData& GetMaskData() const;
    [[nodiscard]] virtual const VideoSettings& GetSettings() const;
    [[nodiscard]] virtual const VideoInfo& GetVideoInfo() const;
    [[nodiscard]] virtual Materials& GetMaterials() { return materials; }
    // Images, texts and model files into drawable data, and the vertex buffers the models are uploaded into.
    [[nodiscard]] ImageLoader& GetImages() { return images; }
    [[nodiscard]] MeshFileReader& GetMeshFiles() { return meshFiles; }
    [[nodiscard]] VertexBuffers& GetVertexBuffers() { return vertexBuffers; }
    [[nodiscard]] SurfaceManager& GetSurfaceManager() { return surfaceManager; }

    // ---- Drawing state used by the view set-up and the fixed state ----

    virtual void SetLighting(bool on);
    // Culls back faces (counter-clockwise front faces, OpenGL's default) when on.
    virtual void SetCullFace(bool on);

    // ---- Drawing (images, rectangles, materials, lights, triangles, faces, buffers, shapes) ----

    // The texture's own transparency, when set, is pushed while its image is drawn.
    virtual void DrawTexture(const Texture& texture, Common::Color color);
    virtual void DrawTexture(const Texture& texture, Common::Color color, Common::Point2D size);
    // Every part at its position, modulated by `color`; the top of the transparency stack replaces the colour's
    // alpha. A size (0, 0) draws each part at its own size; any other size stretches each part vertically and
    // repeats its texture horizontally.
    virtual void DrawSurfaces(const Surfaces& surfaces, Common::Color color);
    virtual void DrawSurfaces(const Surfaces& surfaces, Common::Color color, Common::Point2D size);
    // A line of single-part images (the glyphs of a text) side by side from x = `start`: left to right, or, without
    // `leftToRight`, from the last piece leftwards so that the line ends at `start`. Draws and counts exactly what
    // DrawTexture of each piece under its own translation would, in one primitive. False, with nothing drawn, when a
    // piece needs the piece-by-piece way (a transparency of its own, several parts, or no room in the glyph atlas).
    // Only for images that stay cached until shut-down.
    bool DrawGlyphLine(std::span<const std::shared_ptr<Texture>> pieces, float start, bool leftToRight,
                       Common::Color color);
    // A quad from the local origin, always opaque: the colour's alpha and the transparency stack are ignored.
    virtual void DrawRectangle(Common::Point2D size, Common::Color color);
    [[nodiscard]] virtual FontManager& GetFontManager();
    // Texture or diffuse colour, blending, and with lights on the material colours; EndMaterial undoes the
    // texture's state.
    virtual void ApplyMaterial(const Material& material);
    virtual void EndMaterial(const Material& material);
    // One triangle of three positions; the coordinates and normals hold three entries or none. No positions:
    // std::invalid_argument "Vertex is null"; fewer than three entries in a list: std::out_of_range.
    virtual void DrawTriangle(std::span<const Data::VertexRecord> positions,
                              std::span<const Data::VertexRecord> textureCoordinates,
                              std::span<const Data::VertexRecord> normals);
    // A line from the first to the second position; the other lists are ignored.
    virtual void DrawLine(std::span<const Data::VertexRecord> positions,
                          std::span<const Data::VertexRecord> textureCoordinates,
                          std::span<const Data::VertexRecord> normals);
    // Faces whose corners index the three lists (-1: none); an index outside its list: std::out_of_range.
    virtual void DrawFaces(std::span<const Data::VertexRecord> positions, std::span<const Data::Face> faces,
                           std::span<const Data::VertexRecord> textureCoordinates,
                           std::span<const Data::VertexRecord> normals);
    // One vertex of the current shape.
    virtual void AddVertex(float x, float y, float z);
    // Switching a light on counts it and switches lighting on; switching it off leaves lighting on.
    virtual void EnableLight(int number, bool on);
    // Colours, homogeneous position (w = 0: directional) and attenuation of light 0 + number.
    virtual void SetLight(int number, const Data::LightColors& colors, const std::array<float, 4>& position,
                          float constantAttenuation, float linearAttenuation, float quadraticAttenuation);
    // Cut-off in degrees.
    virtual void SetSpotLight(int number, Common::Point3D direction, float cutoff, float exponent);
    virtual void AddVertex(Common::Point3D point);
    // The colour of the following vertices; its alpha is scaled by the top of the transparency stack.
    virtual void SetColor(Common::Color color);
    // Begins a shape of single vertices with blending on. An unknown type: std::invalid_argument
    // "BasicShapeType <n> unbekannt", and nothing changes.
    virtual void BeginShape(BasicShapeType type);
    virtual void EndShape();
    // Draws a mesh kept in vertex buffers with one call. An unknown type is refused as in BeginShape.
    virtual void DrawBuffers(BasicShapeType type, const Data::VboIDs& buffers);
    // Many line strips in one call, blended, each vertex with its colour (alpha scaled as by SetColor): strip k is
    // the counts[k] points from firsts[k] on. The same picture, counters and current colour as drawing each strip
    // with BeginShape, SetColor, AddVertex and EndShape, without the cost of a call per strip and per vertex.
    // Colours not one per point, or a strip outside the points: std::invalid_argument, and nothing is drawn.
    virtual void DrawLineStrips(std::span<const Data::VertexRecord> points, std::span<const Common::Color> colors,
                                std::span<const std::int32_t> firsts, std::span<const std::int32_t> counts);

    // ---- Cached layer ----

    // Opens a layer in the current view: the flat drawing calls up to EndLayer are written down and shown from a
    // texture that is drawn again only when they differ from the last frame's (see LayerCache). Any other drawing
    // call in between plays the layer onto the screen at once and draws directly for the rest of the frame.
    void BeginLayer();
    void EndLayer();
    // Plays what the open layer holds onto the screen and closes it; for a layer whose drawing failed half-way.
    void DropLayer();
    // Frames in which a layer was drawn into its texture since start-up.
    [[nodiscard]] std::uint64_t GetLayerRefreshCount() const noexcept { return layer.GetRefreshCount(); }

    // Lights switched on in this frame (EnableLight), 0 at every InitFrame.
    [[nodiscard]] int GetLightCount() const { return lightCount; }

    // The top of the transparency stack, or nothing when no node has pushed one in this frame.
    [[nodiscard]] std::optional<int> GetAlphaTop() const;

    // Destroys the OpenGL context and the window. GameEngine calls it after Dispose, right before SDL_Quit.
    void CloseWindow();

private:
    struct WindowCloser
    {
        void operator()(SDL_Window* window) const noexcept;
    };
    struct ContextDeleter
    {
        void operator()(void* context) const noexcept;
    };

    void SetColorAttributes() const;
    void OpenWindow(const std::string& title);
    void RefuseFallbackDriver() const;
    void SetFixedState();
    // Takes over the drawable size when the window changed it; called at the start of every frame.
    void FollowWindowSize();
    void DeliverCaptures();
    // One OpenGL command of the flat drawing calls: written into the open layer, or run at once.
    void Emit(LayerCache::Op op, float a = 0.0f, float b = 0.0f, float c = 0.0f, float d = 0.0f);
    void EmitColor(Common::Color color, int alpha);
    // While a layer is open: the modelview under which the next commands draw.
    void NoteMatrix();

    VideoSettings settings;
    MaskData maskData;
    SurfaceManager surfaceManager;
    Materials materials;
    FontManager fontManager;
    std::vector<int> alphaStack;
    // DrawLineStrips' colours as OpenGL takes them; kept from call to call.
    std::vector<std::array<std::uint8_t, 4>> lineColors;
    // DrawLineStrips' strips cut into segments, two corners each; kept from call to call.
    std::vector<std::uint32_t> lineSegments;
    // Released (ReleaseAll) by Dispose before the surface cache.
    VertexBuffers vertexBuffers;
    ImageLoader images{settings, maskData, surfaceManager};
    MeshFileReader meshFiles{materials, images, vertexBuffers};
    float depth2D = 100.0f;
    Common::Color backgroundColor;
    VideoInfo videoInfo;
    int lightCount = 0;
    Common::Point2D windowSize;
    std::vector<FrameCallback> captures;
    // Copies of the glyphs that texts draw; released by Dispose with the other textures.
    GlyphAtlas glyphAtlas;
    // The panel's picture between frames; released by Dispose with the other textures.
    LayerCache layer;
    // The window owns the context's drawable, so the context is declared after it and destroyed first.
    std::unique_ptr<SDL_Window, WindowCloser> window;
    std::unique_ptr<void, ContextDeleter> context;
};

} // namespace Quarnel::GameEngine2D::Video
