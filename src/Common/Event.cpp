#include "Common/Event.h"

namespace Quarnel::Common
{

// Event is a template; this unit compiles the header on its own and instantiates the argument-less
// event that the engine, nodes and widgets use, so errors in the template surface in this library.
template class Event<>;

} // namespace Quarnel::Common
