#include "Common/Rect.h"

namespace Quarnel::Common
{

std::string Rect::ToString() const
{
    return position.ToString() + "/" + size.ToString();
}

} // namespace Quarnel::Common
