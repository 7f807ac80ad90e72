#!/usr/bin/env python3
"""Generates Zandrel's models and the sun texture under daten/models/.

    python3 tools/make_assets.py [--check]

Writes sphere.obj/.mtl, ground.obj/.mtl and sonne01.jpg, then reads the models
back with a reader of the same OBJ subset the program accepts and checks them.
With --check nothing is written; the committed files are only checked.
The output is deterministic: running it again gives the same bytes.
"""

import math
import os
import random
import sys

sys.dont_write_bytecode = True  # keep tools/ free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import jpeg_encoder  # noqa: E402

MODELS = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "daten", "models")

# Sphere: radius 2, so a body of size 100 (scale 1) is 4 units across.
SPHERE_RADIUS = 2.0
SPHERE_SEGMENTS = 32  # around the vertical axis
SPHERE_STACKS = 16  # from pole to pole

# Ground grid: lines every GRID_STEP scene units from -GRID_HALF to +GRID_HALF.
# The planes are scaled (60, 1, 0.01), so the model spans x in [-1, 1] and
# y in [-60, 60] at z = 0 to cover +-60 units in both directions.
GRID_HALF = 60
GRID_STEP = 10
GROUND_SCALE_X = 60.0

TEXTURE_WIDTH = 512
TEXTURE_HEIGHT = 256
TEXTURE_SEED = 20031
JPEG_QUALITY = 90


def fmt(value):
    """A number as the reader wants it: plain decimal, no exponent, no negative zero."""
    text = f"{value:.6f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def write_text(name, lines):
    with open(os.path.join(MODELS, name), "w", encoding="ascii", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


# ---------------------------------------------------------------------------
# Sphere


def sphere_point(stack, segment):
    """Unit vector of ring `stack` (0 = north pole) at meridian `segment`.

    y is up. Meridian 0 faces +z (towards the start camera) and the meridians
    run towards +x, so the texture's u grows to the right as seen from outside.
    """
    theta = math.pi * stack / SPHERE_STACKS
    phi = 2.0 * math.pi * segment / SPHERE_SEGMENTS
    return (math.sin(theta) * math.sin(phi), math.cos(theta), math.sin(theta) * math.cos(phi))


def build_sphere():
    positions = [(0.0, 1.0, 0.0)]  # north pole, then the inner rings, then the south pole
    ring_start = {}
    for stack in range(1, SPHERE_STACKS):
        ring_start[stack] = len(positions)
        positions.extend(sphere_point(stack, segment) for segment in range(SPHERE_SEGMENTS))
    positions.append((0.0, -1.0, 0.0))
    north, south = 0, len(positions) - 1

    def position_index(stack, segment):
        if stack == 0:
            return north
        if stack == SPHERE_STACKS:
            return south
        return ring_start[stack] + segment % SPHERE_SEGMENTS  # the seam meridian is meridian 0

    # Texture coordinates on a (segments + 1) x (stacks + 1) grid: the seam has
    # u = 0 and u = 1 at the same positions. v = 1 is the north pole (top row of
    # the image). A pole corner takes the u of the middle of its triangle, so the
    # pole rows hold one coordinate per segment.
    coordinates = []
    coordinate_start = {}
    for stack in range(SPHERE_STACKS + 1):
        coordinate_start[stack] = len(coordinates)
        v = 1.0 - stack / SPHERE_STACKS
        if stack in (0, SPHERE_STACKS):
            coordinates.extend(((segment + 0.5) / SPHERE_SEGMENTS, v) for segment in range(SPHERE_SEGMENTS))
        else:
            coordinates.extend((segment / SPHERE_SEGMENTS, v) for segment in range(SPHERE_SEGMENTS + 1))

    def corner(stack, segment):
        # The normal of a point on a sphere about the origin is its unit vector.
        # On a pole row, `segment` picks the coordinate of the triangle between
        # meridians segment and segment + 1.
        p = position_index(stack, segment)
        return (p, coordinate_start[stack] + segment, p)

    # Corners counter-clockwise as seen from outside: the front faces point out.
    faces = []
    for stack in range(SPHERE_STACKS):
        for segment in range(SPHERE_SEGMENTS):
            bottom_left, bottom_right = corner(stack + 1, segment), corner(stack + 1, segment + 1)
            top_left, top_right = corner(stack, segment), corner(stack, segment + 1)
            if stack == 0:
                faces.append((bottom_left, bottom_right, corner(0, segment)))
            elif stack == SPHERE_STACKS - 1:
                faces.append((corner(SPHERE_STACKS, segment), top_right, top_left))
            else:
                faces.append((bottom_left, bottom_right, top_right))
                faces.append((bottom_left, top_right, top_left))
    return positions, coordinates, faces


def write_sphere():
    positions, coordinates, faces = build_sphere()
    lines = [
        "# Zandrel body sphere: radius 2, "
        f"{SPHERE_SEGMENTS} segments x {SPHERE_STACKS} stacks, {len(faces)} triangles",
        "mtllib sphere.mtl",
        "o sphere",
    ]
    lines += [f"v {fmt(x * SPHERE_RADIUS)} {fmt(y * SPHERE_RADIUS)} {fmt(z * SPHERE_RADIUS)}" for x, y, z in positions]
    lines += [f"vt {fmt(u)} {fmt(v)} 0" for u, v in coordinates]
    lines += [f"vn {fmt(x)} {fmt(y)} {fmt(z)}" for x, y, z in positions]
    lines.append("usemtl sphere")
    lines += ["f " + " ".join(f"{p + 1}/{t + 1}/{n + 1}" for p, t, n in face) for face in faces]
    write_text("sphere.obj", lines)

    # Planets show the material as it is: a lit blue diffuse colour, no own
    # ambient glow (the unhighlighted planet ambient is black) and no specular
    # term (the shininess stays 0, which would light the whole day side evenly).
    # Suns get their texture and ambient colour from the game, so no map_Kd here.
    write_text(
        "sphere.mtl",
        [
            "# Zandrel body material",
            "newmtl sphere",
            "Ka 0 0 0",
            "Kd 0.45 0.62 0.9",
            "Ks 0 0 0",
        ],
    )
    return len(positions), len(coordinates), len(faces)


# ---------------------------------------------------------------------------
# Ground grid


def grid_path():
    """The grid as one polyline that only ever runs along grid lines.

    The planes are drawn as a single line strip through all corners of all
    triangles in file order, so the corners must form one continuous path. The
    path snakes along every horizontal line, stepping to the next one along the
    left or right border, then snakes along every vertical line the same way.
    The steps lie on the border lines, so nothing is drawn off the grid. Each
    segment turns by 90 degrees against the previous one, so every three
    consecutive corners span a proper triangle.
    """
    steps = range(-GRID_HALF, GRID_HALF + 1, GRID_STEP)
    xs = [value / GROUND_SCALE_X for value in steps]
    ys = [float(value) for value in steps]

    path = []
    left_to_right = True
    for y in ys:
        row = [(xs[0], y), (xs[-1], y)]
        path += row if left_to_right else row[::-1]
        left_to_right = not left_to_right

    # Continue from the corner the rows ended at, along the border column there.
    end_x = path[-1][0]
    columns = xs[::-1] if end_x == xs[-1] else xs
    top_to_bottom = True
    for x in columns:
        column = [(x, ys[-1]), (x, ys[0])]
        path += column if top_to_bottom else column[::-1]
        top_to_bottom = not top_to_bottom
    # The first column starts where the last row ended.
    deduplicated = [path[0]]
    for point in path[1:]:
        if point != deduplicated[-1]:
            deduplicated.append(point)
    return deduplicated


def write_ground():
    path = grid_path()
    # Every triangle takes the next three corners of the path; pad the path on
    # its last segment so that it divides into triangles.
    while len(path) % 3:
        (ax, ay), (bx, by) = path[-2], path[-1]
        path.insert(len(path) - 1, ((ax + bx) / 2, (ay + by) / 2))

    positions = []
    index = {}
    for point in path:
        if point not in index:
            index[point] = len(positions)
            positions.append(point)
    faces = [[index[point] for point in path[k:k + 3]] for k in range(0, len(path), 3)]

    lines = [
        f"# Zandrel reference plane: grid of {len(range(-GRID_HALF, GRID_HALF + 1, GRID_STEP))} x "
        f"{len(range(-GRID_HALF, GRID_HALF + 1, GRID_STEP))} lines, spaced {GRID_STEP} units after the scale "
        f"({fmt(GROUND_SCALE_X)}, 1, 0.01); drawn as one line strip through the corners in file order",
        "mtllib ground.mtl",
        "o ground",
    ]
    lines += [f"v {fmt(x)} {fmt(y)} 0" for x, y in positions]
    # One normal for all: the plane's own. The file brings normals, so the
    # program computes none (collinear padding corners would give none).
    lines.append("vn 0 0 1")
    lines.append("usemtl grid")
    lines += ["f " + " ".join(f"{p + 1}//1" for p in face) for face in faces]
    write_text("ground.obj", lines)

    # The light sits at the origin, inside all three planes, so the lines get
    # no diffuse light: their colour is the ambient colour. Kd is the same for
    # an unlit drawing.
    write_text(
        "ground.mtl",
        [
            "# Zandrel reference plane material",
            "newmtl grid",
            "Ka 0.62 0.66 0.72",
            "Kd 0.62 0.66 0.72",
            "Ks 0 0 0",
        ],
    )
    return len(positions), len(faces), len(path)


# ---------------------------------------------------------------------------
# Sun texture


class ValueNoise3D:
    """Smooth 3-D value noise on an integer lattice with a seeded permutation."""

    def __init__(self, seed):
        rng = random.Random(seed)
        self.perm = list(range(256))
        rng.shuffle(self.perm)
        self.perm += self.perm
        self.values = [rng.random() for _ in range(256)]

    def _lattice(self, x, y, z):
        p = self.perm
        return self.values[p[p[p[x & 255] + (y & 255)] + (z & 255)]]

    def __call__(self, x, y, z):
        x0, y0, z0 = math.floor(x), math.floor(y), math.floor(z)
        fx, fy, fz = x - x0, y - y0, z - z0
        # Quintic fade: no visible lattice creases.
        sx = fx * fx * fx * (fx * (fx * 6 - 15) + 10)
        sy = fy * fy * fy * (fy * (fy * 6 - 15) + 10)
        sz = fz * fz * fz * (fz * (fz * 6 - 15) + 10)
        lattice = self._lattice

        def lerp(a, b, t):
            return a + (b - a) * t

        x00 = lerp(lattice(x0, y0, z0), lattice(x0 + 1, y0, z0), sx)
        x10 = lerp(lattice(x0, y0 + 1, z0), lattice(x0 + 1, y0 + 1, z0), sx)
        x01 = lerp(lattice(x0, y0, z0 + 1), lattice(x0 + 1, y0, z0 + 1), sx)
        x11 = lerp(lattice(x0, y0 + 1, z0 + 1), lattice(x0 + 1, y0 + 1, z0 + 1), sx)
        return lerp(lerp(x00, x10, sy), lerp(x01, x11, sy), sz)


# Colour ramp of the sun's surface, from the dark cool granules to the hot spots.
SUN_RAMP = [
    (0.00, (120, 24, 0)),
    (0.30, (196, 62, 4)),
    (0.55, (240, 128, 16)),
    (0.78, (255, 196, 52)),
    (1.00, (255, 246, 170)),
]


def ramp(t):
    t = min(1.0, max(0.0, t))
    for (t0, c0), (t1, c1) in zip(SUN_RAMP, SUN_RAMP[1:]):
        if t <= t1:
            f = (t - t0) / (t1 - t0)
            return tuple(int(round(a + (b - a) * f)) for a, b in zip(c0, c1))
    return SUN_RAMP[-1][1]


def sun_pixels():
    """Noise sampled on the sphere itself: every pixel is the point of the sphere
    its texture coordinates map to, so the left and right edges meet without a
    seam and each pole row is one colour."""
    coarse = ValueNoise3D(TEXTURE_SEED)
    fine = ValueNoise3D(TEXTURE_SEED + 1)
    pixels = []
    for row in range(TEXTURE_HEIGHT):
        theta = math.pi * (row + 0.5) / TEXTURE_HEIGHT
        sin_theta, cos_theta = math.sin(theta), math.cos(theta)
        for column in range(TEXTURE_WIDTH):
            phi = 2.0 * math.pi * column / TEXTURE_WIDTH
            x, y, z = sin_theta * math.sin(phi), cos_theta, sin_theta * math.cos(phi)
            # Large, slow swirls (warped by a low octave) plus fine granulation.
            warp = coarse(x * 1.5 + 7.1, y * 1.5 + 3.3, z * 1.5 + 5.7) * 1.2
            swirl = 0.0
            amplitude, frequency, total = 1.0, 2.5, 0.0
            for _ in range(4):
                swirl += amplitude * coarse(x * frequency + warp, y * frequency - warp, z * frequency + warp)
                total += amplitude
                amplitude *= 0.5
                frequency *= 2.1
            swirl /= total
            granules = fine(x * 40.0, y * 40.0, z * 40.0) * 0.6 + fine(x * 80.0 + 3, y * 80.0, z * 80.0) * 0.4
            heat = 0.25 + 1.1 * (swirl - 0.5) + 0.55 * swirl + 0.3 * (granules - 0.5)
            pixels.append(ramp(heat))
    return pixels


def write_sun_texture():
    data = jpeg_encoder.encode(TEXTURE_WIDTH, TEXTURE_HEIGHT, sun_pixels(), JPEG_QUALITY)
    with open(os.path.join(MODELS, "sonne01.jpg"), "wb") as out:
        out.write(data)
    return len(data)


# ---------------------------------------------------------------------------
# Self-check: a reader of the program's OBJ/MTL subset


def read_model(name):
    """Reads a model the way the program does; returns (positions, coordinates,
    normals, groups) with groups as (name, material, faces of three corners)."""
    positions, coordinates, normals, faces, groups = [], [], [], [], []
    group_name = material_name = ""
    materials = {}

    def numbers(text, count):
        parts = text.split(" ")
        if len(parts) != count:
            raise ValueError(f"{name}: expected {count} numbers in {text!r}")
        return tuple(float(part) for part in parts)

    with open(os.path.join(MODELS, name), encoding="ascii") as source:
        for line in source.read().split("\n"):
            if len(line) < 3:
                continue
            if line.startswith("v "):
                positions.append(numbers(line[2:], 3))
            elif line.startswith("vt"):
                u, v, w = numbers(line[3:], 3)
                coordinates.append((u, -v, w))
            elif line.startswith("vn"):
                normals.append(numbers(line[3:], 3))
            elif line.startswith("f "):
                corners = []
                for token in line[2:].split(" "):
                    parts = (token.split("/") + ["", ""])[:3]
                    corners.append(tuple(int(part) - 1 if part else -1 for part in parts))
                faces += [(corners[0], corners[k], corners[k + 1]) for k in range(1, len(corners) - 1)]
            elif line.startswith("o "):
                if group_name:
                    groups.append((group_name, materials.get(material_name), faces))
                    faces = []
                group_name = line[2:]
            elif line.startswith("mtllib"):
                materials = read_materials(name, line[7:])
            elif line.startswith("usemtl"):
                material_name = name + "." + line[7:]
    groups.append((group_name, materials.get(material_name), faces))
    return positions, coordinates, normals, groups


def read_materials(model_name, file_name):
    materials = {}
    current = None
    with open(os.path.join(MODELS, file_name), encoding="ascii") as source:
        for line in source.read().split("\n"):
            if len(line) < 3:
                continue
            if line.startswith("newmtl "):
                current = {"Ka": None, "Kd": None, "Ks": None, "map_Kd": None}
                materials[model_name + "." + line[7:]] = current
            elif line.startswith("map_Kd "):
                current["map_Kd"] = line[7:]
            elif line[:3] in ("Ka ", "Kd ", "Ks ") and current is not None:
                current[line[:2]] = tuple(int(float(part) * 255) for part in line[3:].split(" "))
    return materials


def check_model(name, expect_texture_coordinates):
    positions, coordinates, normals, groups = read_model(name)
    assert len(groups) == 1, f"{name}: {len(groups)} groups"
    group_name, material, faces = groups[0]
    assert material is not None, f"{name}: the group has no material"
    assert faces, f"{name}: no faces"
    for face in faces:
        for vertex, texture, normal in face:
            assert 0 <= vertex < len(positions), f"{name}: bad position index"
            assert 0 <= normal < len(normals), f"{name}: bad normal index"
            if expect_texture_coordinates:
                assert 0 <= texture < len(coordinates), f"{name}: bad texture index"
            else:
                assert texture == -1 and not coordinates
    return positions, coordinates, normals, faces


def face_normal(a, b, c):
    """The program's flat normal: (p0 - p1) x (p1 - p2)."""
    u = [a[k] - b[k] for k in range(3)]
    v = [b[k] - c[k] for k in range(3)]
    return (u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0])


def check_sphere():
    positions, coordinates, _, faces = check_model("sphere.obj", True)
    for face in faces:
        # No triangle may stretch across the seam: its u values stay within one segment.
        us = [coordinates[texture][0] for _, texture, _ in face]
        assert all(0.0 <= u <= 1.0 for u in us), "sphere: u outside 0..1"
        assert max(us) - min(us) <= 1.0 / SPHERE_SEGMENTS + 1e-6, "sphere: triangle across the seam"
        a, b, c = (positions[vertex] for vertex, _, _ in face)
        n = face_normal(a, b, c)
        centre = [(a[k] + b[k] + c[k]) / 3 for k in range(3)]
        length = math.sqrt(sum(x * x for x in n))
        assert length > 1e-6, "sphere: degenerate triangle"
        assert sum(n[k] * centre[k] for k in range(3)) > 0, "sphere: triangle faces inwards"
    radii = [math.sqrt(sum(x * x for x in p)) for p in positions]
    assert all(abs(r - SPHERE_RADIUS) < 1e-5 for r in radii), "sphere: radius"
    return len(faces)


def check_ground():
    positions, _, _, faces = check_model("ground.obj", False)
    strip = [positions[vertex] for face in faces for vertex, _, _ in face]
    lines = {value / GROUND_SCALE_X for value in range(-GRID_HALF, GRID_HALF + 1, GRID_STEP)}
    rows = {float(value) for value in range(-GRID_HALF, GRID_HALF + 1, GRID_STEP)}
    covered = set()
    for (ax, ay, az), (bx, by, bz) in zip(strip, strip[1:]):
        assert az == 0 and bz == 0
        # Every strip segment must lie on one grid line.
        if ay == by:
            assert any(abs(ay - r) < 1e-6 for r in rows), "ground: segment off the grid"
            covered.add(("row", ay))
        else:
            assert abs(ax - bx) < 1e-6 and any(abs(ax - x) < 1e-5 for x in lines), "ground: segment off the grid"
            covered.add(("column", round(ax * GROUND_SCALE_X)))
    assert len(covered) == len(lines) + len(rows), "ground: a grid line is missing"
    return len(faces)


def check_jpeg():
    with open(os.path.join(MODELS, "sonne01.jpg"), "rb") as source:
        data = source.read()
    assert data[:2] == b"\xff\xd8" and data[-2:] == b"\xff\xd9", "sonne01.jpg: not a JPEG"


def main():
    os.makedirs(MODELS, exist_ok=True)
    if "--check" not in sys.argv[1:]:
        positions, coordinates, triangles = write_sphere()
        print(f"sphere.obj: {positions} positions, {coordinates} texture coordinates, {triangles} triangles")
        positions, triangles, corners = write_ground()
        print(f"ground.obj: {positions} positions, {triangles} triangles, {corners} strip corners")
        size = write_sun_texture()
        print(f"sonne01.jpg: {TEXTURE_WIDTH} x {TEXTURE_HEIGHT}, {size} bytes")
    check_sphere()
    check_ground()
    check_jpeg()
    print("models read back and checked")


if __name__ == "__main__":
    main()
