#include "Common/Point2D.h"

#include "Common/Helper.h"

namespace Quarnel::Common
{

std::string Point2D::ToString() const
{
    return Helper::FloatToString(x) + "|" + Helper::FloatToString(y);
}

} // namespace Quarnel::Common
