#include "Common/Color.h"

#include "Common/Helper.h"

namespace Quarnel::Common
{

std::string Color::ToString() const
{
    return "r_" + Helper::IntToString(r) + ";g_" + Helper::IntToString(g) + ";b_" + Helper::IntToString(b);
}

} // namespace Quarnel::Common
