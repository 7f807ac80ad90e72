#include "Common/Point3D.h"

#include "Common/Helper.h"

namespace Quarnel::Common
{

std::string Point3D::ToString() const
{
    return Helper::FloatToString(x) + "|" + Helper::FloatToString(y) + "|" + Helper::FloatToString(z);
}

} // namespace Quarnel::Common
