#pragma once

#include "app/SystemFile/SystemData.h"

namespace Zandrel::SystemFile
{

// The rules every kept system obeys, whether it was read or is about to be written, so that whatever the
// program writes it can read again.
class SystemCheck final
{
public:
    SystemCheck() = delete;

    // Raises SystemFileError with the first broken rule: more than MaxBodies bodies, a time that is not
    // finite, a speed that is not a power of two from MinSpeed to MaxSpeed, a body number that is not finite
    // (NaN or infinite), a mass or size below 0, or an identifier used twice. Bodies are named by their place
    // in the list, counted from 1 ("Körper 3: Masse kleiner als 0").
    static void Check(const SystemData& system);

    // Whether `speed` is an allowed time speed.
    [[nodiscard]] static bool IsAllowedSpeed(double speed);
};

} // namespace Zandrel::SystemFile
