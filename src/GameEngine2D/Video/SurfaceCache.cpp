#include "GameEngine2D/Video/SurfaceCache.h"

#include "Common/MyLog.h"
#include "GameEngine2D/Video/Surfaces.h"

namespace Quarnel::GameEngine2D::Video
{

std::shared_ptr<Surfaces> SurfaceCache::Acquire()
{
    ++references;
    return surfaces;
}

void SurfaceCache::Release()
{
    if (references > 0)
        --references;
}

void SurfaceCache::Free()
{
    if (!surfaces)
        return;
    if (references != 0)
        Common::MyLog::Info("FreeSurface-Warning: " + surfaces->GetId() + " wird noch verwendet!");
    surfaces->DeleteTextures();
    surfaces.reset();
}

} // namespace Quarnel::GameEngine2D::Video
