#include "GameEngine2D/Video/LayerCache.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <epoxy/gl.h>
#include <limits>

namespace Quarnel::GameEngine2D::Video
{

namespace
{

// The screen is covered in tiles of this many pixels; the texture is put on the screen over every tile a primitive
// of the layer may reach, so the translucent quad stays as small as the layer allows.
constexpr int TileEdge = 16;
// Rasterised pixels may reach a little beyond the exact corners (lines, rounding): the corners grow by this much.
constexpr float CornerMargin = 2.0f;

bool Overlap(const std::array<float, 4>& a, const std::array<float, 4>& b)
{
    return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
}

GLubyte Byte(float value)
{
    return static_cast<GLubyte>(std::lround(value));
}

// The column-major 4×4 product a × b.
std::array<float, 16> Multiply(const std::array<float, 16>& a, const std::array<float, 16>& b)
{
    std::array<float, 16> product{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
        {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a[static_cast<std::size_t>(k * 4 + row)] * b[static_cast<std::size_t>(column * 4 + k)];
            product[static_cast<std::size_t>(column * 4 + row)] = sum;
        }
    return product;
}

} // namespace

void LayerCache::Open(int windowWidth, int windowHeight)
{
    width = windowWidth;
    height = windowHeight;
    commands.clear();
    matrices.clear();
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    // The state the first draws find, written down so that the list says everything it relies on.
    std::array<GLfloat, 4> color{};
    glGetFloatv(GL_CURRENT_COLOR, color.data());
    commands.push_back({Op::Color, {color[0] * 255.0f, color[1] * 255.0f, color[2] * 255.0f, color[3] * 255.0f}});
    commands.push_back({Op::Blending, {glIsEnabled(GL_BLEND) == GL_TRUE ? 1.0f : 0.0f}});
    commands.push_back({Op::Texturing, {glIsEnabled(GL_TEXTURE_2D) == GL_TRUE ? 1.0f : 0.0f}});
    commands.push_back({Op::Culling, {glIsEnabled(GL_CULL_FACE) == GL_TRUE ? 1.0f : 0.0f}});
    open = true;
}

void LayerCache::Issue(const Command& command)
{
    if (open)
        commands.push_back(command);
    else
        Run(command, matrices, false);
}

void LayerCache::AddMatrix(const std::array<float, 16>& matrix)
{
    if (!matrices.empty() && matrices.back() == matrix)
        return;
    matrices.push_back(matrix);
    commands.push_back({Op::Matrix, {static_cast<float>(matrices.size() - 1)}});
}

void LayerCache::Close()
{
    if (!open)
        return;
    open = false;
    const std::uint64_t generation = GlTextureTraits::DeletionCount();
    const bool sameTarget = generation == textureGeneration && width == shownWidth && height == shownHeight &&
                            projection == shownProjection;
    if (sameTarget && commands == shownCommands && matrices == shownMatrices)
    {
        changedLastFrame = false;
        ShowKept();
        return;
    }
    Describe(commands, matrices, primitives);
    Area changed{};
    const bool inPlace = sameTarget && textureCurrent && FindChangedArea(changed);
    // The new list becomes the shown one; the old one's storage is reused by the next frame.
    std::swap(commands, shownCommands);
    std::swap(matrices, shownMatrices);
    std::swap(primitives, shownPrimitives);
    shownProjection = projection;
    shownWidth = width;
    shownHeight = height;
    textureGeneration = generation;
    if (inPlace)
    {
        RefreshInside(changed);
        changedLastFrame = true;
        Show();
        return;
    }
    textureCurrent = false;
    // A layer that changes all over from frame to frame is drawn straight onto the screen: a texture would only add
    // its own blend. After a frame without change it is kept again.
    if (changedLastFrame)
    {
        RunAll(shownCommands, shownMatrices, false);
        return;
    }
    changedLastFrame = true;
    ShowKept();
}

void LayerCache::ShowKept()
{
    if (!textureCurrent)
        Refresh();
    if (textureCurrent)
        Show();
    else
        RunAll(shownCommands, shownMatrices, false);
}

void LayerCache::Flush()
{
    if (!open)
        return;
    open = false;
    RunAll(commands, matrices, false);
}

void LayerCache::Release() noexcept
{
    // Without a current context the names went with their context (see GlTextureTraits).
    if (SDL_GL_GetCurrentContext() != nullptr)
    {
        if (framebuffer != 0)
            glDeleteFramebuffers(1, &framebuffer);
        if (depthBuffer != 0)
            glDeleteRenderbuffers(1, &depthBuffer);
    }
    framebuffer = 0;
    depthBuffer = 0;
    texture = GlTexture();
    targetWidth = 0;
    targetHeight = 0;
    textureCurrent = false;
}

void LayerCache::Run(const Command& command, const std::vector<std::array<float, 16>>& matrixList,
                     bool intoTexture) const
{
    const std::array<float, 4>& v = command.values;
    const bool on = v[0] != 0.0f;
    switch (command.op)
    {
    case Op::Matrix:
        glLoadMatrixf(matrixList.at(static_cast<std::size_t>(v[0])).data());
        break;
    case Op::Color:
        glColor4ub(Byte(v[0]), Byte(v[1]), Byte(v[2]), Byte(v[3]));
        break;
    case Op::Vertex:
        glVertex3f(v[0], v[1], v[2]);
        break;
    case Op::TexCoord:
        glTexCoord2f(v[0], v[1]);
        break;
    case Op::Begin:
        glBegin(static_cast<GLenum>(v[0]));
        break;
    case Op::End:
        glEnd();
        break;
    case Op::Texturing:
        on ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
        break;
    case Op::BindTexture:
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(v[0]));
        break;
    case Op::Blending:
        if (on)
        {
            // Into the texture, the coverage adds up as it does on an opaque screen, and the colour is kept
            // multiplied by it, ready for one blend onto the screen.
            if (intoTexture)
                glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
            else
                glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glEnable(GL_BLEND);
        }
        else
            glDisable(GL_BLEND);
        break;
    case Op::Culling:
        on ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
        break;
    }
}

void LayerCache::RunAll(const std::vector<Command>& list, const std::vector<std::array<float, 16>>& matrixList,
                        bool intoTexture) const
{
    // The list loads its own modelviews; the caller's stays as it was.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    for (const Command& command : list)
        Run(command, matrixList, intoTexture);
    glPopMatrix();
}

void LayerCache::Refresh()
{
    if (!PrepareTarget())
        return;
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    std::array<GLfloat, 4> clearColor{};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor.data());
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
    RunAll(shownCommands, shownMatrices, true);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    // The blend of the screen again, for what is drawn after the layer.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    FindCoveredTiles();
    textureCurrent = true;
    ++refreshes;
}

void LayerCache::RefreshInside(const Area& area)
{
    FindCoveredTiles();
    const int left = std::max(0, static_cast<int>(std::floor(area[0])));
    const int top = std::max(0, static_cast<int>(std::floor(area[1])));
    const int right = std::min(width, static_cast<int>(std::ceil(area[2])));
    const int bottom = std::min(height, static_cast<int>(std::ceil(area[3])));
    if (right <= left || bottom <= top)
        return;
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    // Only the scissor is put back afterwards: the list leaves the rest of the state as a full redraw would.
    glPushAttrib(GL_SCISSOR_BIT);
    // The framebuffer's rows count from the bottom.
    glScissor(left, height - bottom, right - left, bottom - top);
    glEnable(GL_SCISSOR_TEST);
    std::array<GLfloat, 4> clearColor{};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor.data());
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    // Primitives outside the area leave no pixel in it; only the colour and texture coordinate they leave set
    // matter to those that follow.
    const Area inside{static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                      static_cast<float>(bottom)};
    std::size_t next = 0;
    for (std::size_t index = 0; index < shownCommands.size(); ++index)
    {
        if (next < shownPrimitives.size() && shownPrimitives[next].begin == index)
        {
            const Primitive& primitive = shownPrimitives[next++];
            if (!Overlap(primitive.area, inside))
            {
                for (const std::size_t kept : {primitive.lastColor, primitive.lastTexCoord})
                    if (kept != npos)
                        Run(shownCommands[kept], shownMatrices, true);
                index = primitive.end;
                continue;
            }
        }
        Run(shownCommands[index], shownMatrices, true);
    }
    glPopMatrix();
    glPopAttrib();
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    ++refreshes;
}

bool LayerCache::PrepareTarget()
{
    if (width <= 0 || height <= 0)
        return false;
    if (framebuffer != 0 && width == targetWidth && height == targetHeight)
        return true;
    Release();
    // Pixel for pixel onto the screen: the nearest texel is the one under the pixel's centre.
    texture = CreateNearestTexture(width, height, nullptr);
    glGenRenderbuffers(1, &depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture.Get(), 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    if (!complete)
    {
        Release();
        return false;
    }
    targetWidth = width;
    targetHeight = height;
    return true;
}

void LayerCache::Describe(const std::vector<Command>& list, const std::vector<std::array<float, 16>>& matrixList,
                          std::vector<Primitive>& out) const
{
    out.clear();
    std::array<float, 16> modelview{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::array<float, 16> transform = projection;
    std::array<float, 8> state{};
    Primitive* current = nullptr;
    const auto finish = [&](std::size_t last) {
        current->end = last;
        current->area = Measure(transform, &list[current->begin], &list[last]);
        current = nullptr;
    };
    for (std::size_t index = 0; index < list.size(); ++index)
    {
        const Command& command = list[index];
        const std::array<float, 4>& v = command.values;
        switch (command.op)
        {
        case Op::Matrix:
            modelview = matrixList.at(static_cast<std::size_t>(v[0]));
            transform = Multiply(projection, modelview);
            break;
        case Op::Color:
            std::copy(v.begin(), v.end(), state.begin());
            if (current != nullptr)
                current->lastColor = index;
            break;
        case Op::TexCoord:
            if (current != nullptr)
                current->lastTexCoord = index;
            break;
        case Op::Texturing:
            state[4] = v[0];
            break;
        case Op::BindTexture:
            state[5] = v[0];
            break;
        case Op::Blending:
            state[6] = v[0];
            break;
        case Op::Culling:
            state[7] = v[0];
            break;
        case Op::Begin:
            // A Begin inside a primitive ends the one before (OpenGL would refuse it).
            if (current != nullptr)
                finish(index - 1);
            current = &out.emplace_back();
            current->begin = index;
            current->modelview = modelview;
            current->state = state;
            break;
        case Op::End:
        case Op::Vertex:
            break;
        }
        // A list that stops inside a primitive ends it with its last command.
        if (current != nullptr && (command.op == Op::End || index + 1 == list.size()))
            finish(index);
    }
}

LayerCache::Area LayerCache::Measure(const std::array<float, 16>& transform, const Command* first,
                                     const Command* last) const
{
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    const Area everything{0.0f, 0.0f, w, h};
    float left = std::numeric_limits<float>::infinity();
    float top = left;
    float right = -left;
    float bottom = -left;
    for (const Command* command = first; command <= last; ++command)
    {
        if (command->op != Op::Vertex)
            continue;
        const std::array<float, 4>& p = command->values;
        std::array<float, 4> clip{};
        for (std::size_t row = 0; row < 4; ++row)
            clip[row] =
                transform[row] * p[0] + transform[4 + row] * p[1] + transform[8 + row] * p[2] + transform[12 + row];
        // Behind the eye, where it lands is not worth working out; a corner that is not a number covers everything
        // rather than nothing.
        if (!(clip[3] > 0.0f))
            return everything;
        const float x = (clip[0] / clip[3] + 1.0f) * 0.5f * w;
        const float y = (1.0f - clip[1] / clip[3]) * 0.5f * h;
        if (std::isnan(x) || std::isnan(y))
            return everything;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    if (right < left)
        return {};
    const Area area{std::max(left - CornerMargin, 0.0f), std::max(top - CornerMargin, 0.0f),
                    std::min(right + CornerMargin, w), std::min(bottom + CornerMargin, h)};
    if (area[2] <= area[0] || area[3] <= area[1])
        return {};
    return area;
}

bool LayerCache::FindChangedArea(Area& changed)
{
    const auto same = [this](const Primitive& now, const Primitive& before) {
        return now.state == before.state && now.modelview == before.modelview &&
               std::equal(commands.begin() + static_cast<std::ptrdiff_t>(now.begin),
                          commands.begin() + static_cast<std::ptrdiff_t>(now.end) + 1,
                          shownCommands.begin() + static_cast<std::ptrdiff_t>(before.begin),
                          shownCommands.begin() + static_cast<std::ptrdiff_t>(before.end) + 1);
    };
    // Primitives alike from the front and from the back; what lies between, old and new, is the change.
    const std::size_t common = std::min(primitives.size(), shownPrimitives.size());
    std::size_t front = 0;
    while (front < common && same(primitives[front], shownPrimitives[front]))
        ++front;
    std::size_t back = 0;
    while (back < common - front &&
           same(primitives[primitives.size() - 1 - back], shownPrimitives[shownPrimitives.size() - 1 - back]))
        ++back;
    changed = {};
    bool any = false;
    const auto add = [&](const Primitive& primitive) {
        const Area& area = primitive.area;
        if (area[2] <= area[0] || area[3] <= area[1])
            return;
        changed = any ? Area{std::min(changed[0], area[0]), std::min(changed[1], area[1]),
                             std::max(changed[2], area[2]), std::max(changed[3], area[3])}
                      : area;
        any = true;
    };
    for (std::size_t index = front; index + back < primitives.size(); ++index)
        add(primitives[index]);
    for (std::size_t index = front; index + back < shownPrimitives.size(); ++index)
        add(shownPrimitives[index]);
    // A change over much of the layer is drawn afresh (or straight onto the screen while it goes on).
    return (changed[2] - changed[0]) * (changed[3] - changed[1]) <=
           static_cast<float>(width) * static_cast<float>(height) / 4.0f;
}

void LayerCache::FindCoveredTiles()
{
    const int columns = (width + TileEdge - 1) / TileEdge;
    const int rows = (height + TileEdge - 1) / TileEdge;
    tiles.assign(static_cast<std::size_t>(columns * rows), false);
    const auto tileOf = [](float pixel, int count) {
        const float tile = std::floor(pixel / static_cast<float>(TileEdge));
        return static_cast<int>(std::clamp(tile, 0.0f, static_cast<float>(count - 1)));
    };
    for (const Primitive& primitive : shownPrimitives)
    {
        const Area& area = primitive.area;
        if (area[2] <= area[0] || area[3] <= area[1])
            continue;
        for (int row = tileOf(area[1], rows); row <= tileOf(area[3], rows); ++row)
            for (int column = tileOf(area[0], columns); column <= tileOf(area[2], columns); ++column)
                tiles[static_cast<std::size_t>(row * columns + column)] = true;
    }
    // Runs of covered tiles along each tile row become the rectangles the texture is drawn over.
    covered.clear();
    for (int row = 0; row < rows; ++row)
    {
        int column = 0;
        while (column < columns)
        {
            if (!tiles[static_cast<std::size_t>(row * columns + column)])
            {
                ++column;
                continue;
            }
            const int first = column;
            while (column < columns && tiles[static_cast<std::size_t>(row * columns + column)])
                ++column;
            covered.push_back({static_cast<float>(first * TileEdge), static_cast<float>(row * TileEdge),
                               static_cast<float>(std::min(column * TileEdge, width)),
                               static_cast<float>(std::min((row + 1) * TileEdge, height))});
        }
    }
}

void LayerCache::Show() const
{
    if (covered.empty())
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture.Get());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // The texture's colour is already multiplied by its coverage.
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    glBegin(GL_QUADS);
    for (const std::array<float, 4>& area : covered)
    {
        // Texture row 0 is the screen's bottom row.
        glTexCoord2f(area[0] / w, 1.0f - area[1] / h);
        glVertex2f(area[0], area[1]);
        glTexCoord2f(area[0] / w, 1.0f - area[3] / h);
        glVertex2f(area[0], area[3]);
        glTexCoord2f(area[2] / w, 1.0f - area[3] / h);
        glVertex2f(area[2], area[3]);
        glTexCoord2f(area[2] / w, 1.0f - area[1] / h);
        glVertex2f(area[2], area[1]);
    }
    glEnd();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

} // namespace Quarnel::GameEngine2D::Video
