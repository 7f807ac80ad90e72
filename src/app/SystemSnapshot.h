#pragma once

#include "app/SystemFile/SystemData.h"

namespace Zandrel
{

class Game;

// The running system as plain data and back: the bodies (kind, name, identifier, mass, size, position, velocity),
// the force law, merging, simulated time, speed and pause, and, for files, the camera. Saving, loading and undo
// all go through it, so whatever one keeps the others restore alike.
class SystemSnapshot final
{
public:
    // `game` outlives the snapshot.
    explicit SystemSnapshot(Game& game);

    // The system as it is now; the camera only when `withCamera` (files keep the view, undo leaves it alone).
    [[nodiscard]] SystemFile::SystemData Capture(bool withCamera) const;
    // Takes out every body (nodes, masses, list entries; textures given back), then builds `system`: the bodies
    // with their identifiers, the law, merging, time, speed, pause, and the camera when the data has one. A failure
    // part way raises and may leave a partial system; the caller puts the old one back.
    void Replace(const SystemFile::SystemData& system);

private:
    Game& game;
    // The clock counts whole steps; a kept time between two steps keeps its remainder here, so that it is written
    // back exactly as it was read.
    double timeOffset = 0.0;
};

} // namespace Zandrel
