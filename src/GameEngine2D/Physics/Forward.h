#pragma once

// Declares every type of this namespace, for headers that only name them.
namespace Quarnel::GameEngine2D::Physics
{

class GravityKernel;
class IPhysicsable;
class Mass;
class MassGravities;
class MergeDetector;
class Masses;
class SimulationClock;
class ParallelGravity;
class Spring;
class SpringData;
class Thread;
class WorkerPool;
class World;

} // namespace Quarnel::GameEngine2D::Physics
