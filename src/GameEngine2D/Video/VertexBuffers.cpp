#include "GameEngine2D/Video/VertexBuffers.h"

#include "Common/MyLog.h"

#include <string>

namespace Quarnel::GameEngine2D::Video
{

std::uint32_t VertexBuffers::Create(const std::vector<Data::VertexRecord>& records)
{
    GLuint name = 0;
    glGenBuffersARB(1, &name);
    buffers.emplace_back(name);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, name);
    glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(records.size() * sizeof(Data::VertexRecord)),
                    records.data(), GL_STATIC_DRAW_ARB);
    // Unbound again so that client-side vertex arrays elsewhere are not read as offsets into this buffer.
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    return name;
}

void VertexBuffers::ReleaseAll()
{
    for (GlBuffer& buffer : buffers)
    {
        const std::string name = std::to_string(buffer.Get());
        Common::MyLog::Info("Delete VBO " + name);
        buffer.Reset();
        Common::MyLog::Info("VBO " + name + " deleted");
    }
    // Emptied so that a second ReleaseAll cannot delete a name that GL has handed out again meanwhile.
    buffers.clear();
}

std::vector<std::uint32_t> VertexBuffers::GetNames() const
{
    std::vector<std::uint32_t> names;
    names.reserve(buffers.size());
    for (const GlBuffer& buffer : buffers)
        names.push_back(buffer.Get());
    return names;
}

} // namespace Quarnel::GameEngine2D::Video
