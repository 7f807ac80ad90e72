#pragma once

#include "GameEngine2D/Video/GlTexture.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Quarnel::GameEngine2D::Video
{

// A layer of the picture (the control panel over the 3D view) that is drawn into a texture once and shown from
// there for as long as it stays the same. The software renderer pays per blended pixel: the panel's translucent
// frames, boxes and texts cost far more than one translucent quad of the finished panel.
//
// While a layer is open, the engine's flat drawing calls are written down here instead of being sent to OpenGL:
// every colour, vertex, texture and switch, and the modelview matrix of every draw. When the layer closes, the list
// is compared with the last frame's. Equal lists draw equal pictures, so the texture is shown again; a list that
// differs is played into the texture first, or, while it differs in frame after frame, straight onto the screen.
// Nothing has to tell the layer what changed: a typed character, a hover highlight or a moved node all end up as
// different commands. Textures are named by number, and a deleted number may come back with other pixels: a list made
// after any texture was deleted is never taken as equal.
//
// A drawing call the layer cannot write down (lights, meshes, buffers) plays what was written so far straight onto
// the screen and drops the layer for the rest of the frame; the picture is then the one drawn without a layer.
//
// The texture holds the layer premultiplied (colour times coverage), built with the same blend as on the screen; it
// is put over the screen with one blend per pixel where the layer drew anything. Against drawing the layers one by
// one onto the screen, a channel may differ by one step of 8-bit rounding.
//
// A list that differs from the last in a few primitives (the running clock's digits, a check mark) is drawn again
// only inside the rectangle those primitives cover, old and new: the list is compared primitive by primitive, each
// with the state it is drawn in, and outside that rectangle the old and the new list draw the same pixels.
class LayerCache final
{
public:
    enum class Op : std::uint8_t
    {
        // values[0]: index into the matrices; the modelview of the draws that follow.
        Matrix,
        Color,
        Vertex,
        TexCoord,
        // values[0]: the OpenGL primitive mode.
        Begin,
        End,
        // values[0]: 1 on, 0 off.
        Texturing,
        // values[0]: the texture name.
        BindTexture,
        Blending,
        Culling,
    };

    struct Command
    {
        Op op = Op::End;
        std::array<float, 4> values{};

        bool operator==(const Command&) const = default;
    };

    LayerCache() = default;
    LayerCache(const LayerCache&) = delete;
    LayerCache& operator=(const LayerCache&) = delete;
    ~LayerCache() = default;

    // Starts writing down a layer for a viewport of width × height pixels at the window's corner; the projection and
    // the current colour are taken as they are now, the modelview per draw (AddMatrix).
    void Open(int width, int height);
    [[nodiscard]] bool IsOpen() const noexcept { return open; }
    // Writes one command down while the layer is open; otherwise runs it at once.
    void Issue(const Command& command);
    // The modelview of the draws that follow; only while the layer is open.
    void AddMatrix(const std::array<float, 16>& matrix);
    // Ends the layer and shows it, from the texture unless the list changes in frame after frame.
    void Close();
    // Plays what was written down straight onto the screen and ends the layer. Does nothing when no layer is
    // open.
    void Flush();
    // Deletes the texture and its framebuffer (the context must be current); the next layer is drawn afresh.
    void Release() noexcept;

    // Frames whose layer was drawn into the texture since start-up (shown from it without drawing: the others).
    [[nodiscard]] std::uint64_t GetRefreshCount() const noexcept { return refreshes; }

private:
    void Run(const Command& command, const std::vector<std::array<float, 16>>& matrixList, bool intoTexture) const;
    void RunAll(const std::vector<Command>& list, const std::vector<std::array<float, 16>>& matrixList,
                bool intoTexture) const;
    // A rectangle in window pixels, y downwards: left, top, right, bottom. Empty when right ≤ left.
    using Area = std::array<float, 4>;

    // One primitive of a list (Begin to End) with the state it is drawn in.
    struct Primitive
    {
        std::size_t begin = 0;
        std::size_t end = 0;
        std::array<float, 16> modelview{};
        // Colour, texturing, texture, blending and culling as they stand at Begin.
        std::array<float, 8> state{};
        // The last colour and texture coordinate set inside the primitive; they hold on after it (npos: none).
        std::size_t lastColor = npos;
        std::size_t lastTexCoord = npos;
        // The window pixels it may touch.
        Area area{};
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // Splits a list into its primitives and measures where each may draw.
    void Describe(const std::vector<Command>& list, const std::vector<std::array<float, 16>>& matrixList,
                  std::vector<Primitive>& out) const;
    [[nodiscard]] Area Measure(const std::array<float, 16>& transform, const Command* first, const Command* last) const;
    // Where the current list draws other pixels than the shown one; false when the two cannot be compared so.
    bool FindChangedArea(Area& changed);
    // Shows the shown list from the texture, drawing it there first if needed; directly when no texture can be had.
    void ShowKept();
    void Refresh();
    // Draws the shown list into the texture again inside the area only, leaving the rest of the texture as it is.
    void RefreshInside(const Area& area);
    // Makes the texture and its framebuffer fit the layer; false when the driver refuses them.
    bool PrepareTarget();
    // The window's tiles that the shown primitives may touch, as runs of whole tiles per tile row.
    void FindCoveredTiles();
    void Show() const;

    bool open = false;
    // Whether the texture holds the shown list's picture.
    bool textureCurrent = false;
    // Whether the list of the last frame differed from the one before it.
    bool changedLastFrame = false;
    int width = 0;
    int height = 0;
    int shownWidth = 0;
    int shownHeight = 0;
    int targetWidth = 0;
    int targetHeight = 0;
    std::uint64_t textureGeneration = 0;
    std::uint64_t refreshes = 0;
    std::array<float, 16> projection{};
    std::vector<Command> commands;
    std::vector<std::array<float, 16>> matrices;
    // The last frame's list, against which the current one is compared.
    std::vector<Command> shownCommands;
    std::vector<std::array<float, 16>> shownMatrices;
    std::vector<Primitive> primitives;
    std::vector<Primitive> shownPrimitives;
    std::array<float, 16> shownProjection{};
    // Rectangles (left, top, right, bottom in window pixels, y downwards) where the texture is put on the screen.
    std::vector<std::array<float, 4>> covered;
    std::vector<bool> tiles;
    GlTexture texture;
    unsigned int framebuffer = 0;
    unsigned int depthBuffer = 0;
};

} // namespace Quarnel::GameEngine2D::Video
