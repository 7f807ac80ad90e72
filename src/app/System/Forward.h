#pragma once

// Declares every type of this namespace, for headers that only name them.
namespace Zandrel::System
{

class BodyMerger;
class CircularOrbit;
class Item;
class Planet;
class SolarSystem;
class SphereDetail;
class Sphere;
class Sun;

} // namespace Zandrel::System
