#include "GameEngine2D/Physics/Avx512Support.h"

namespace Quarnel::GameEngine2D::Physics
{

bool ProcessorHasAvx512()
{
#if QUARNEL_AVX512_PATHS
    static const bool has = __builtin_cpu_supports("avx512f") != 0;
    return has;
#else
    return false;
#endif
}

} // namespace Quarnel::GameEngine2D::Physics
