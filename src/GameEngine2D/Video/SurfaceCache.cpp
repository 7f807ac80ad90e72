#include "GameEngine2D/Video/SurfaceCache.h"

#include "Common/MyLog.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Factory.h"
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

void SurfaceCache::Free(Engine& engine)
{
    if (!surfaces)
        return;
    if (references != 0)
        Common::MyLog::Info("FreeSurface-Warning: " + surfaces->GetId() + " wird noch verwendet!");
    engine.GetFactory().DeleteTextures(*surfaces);
    surfaces.reset();
}

} // namespace Quarnel::GameEngine2D::Video
