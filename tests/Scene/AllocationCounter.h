#pragma once

namespace Quarnel::SceneTests
{

// Counts the calls of the global operator new made while counting is on. The replacement lives in its own
// translation unit, so that the compiler never pairs it with an inlined delete.
void StartCountingAllocations();
// Stops counting and returns the number of allocations since the start.
long StopCountingAllocations();

} // namespace Quarnel::SceneTests
