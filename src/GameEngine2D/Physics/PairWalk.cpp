#include "GameEngine2D/Physics/PairWalk.h"

#include "GameEngine2D/Physics/Avx512Support.h"
#include "GameEngine2D/Physics/RowTile.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace Quarnel::GameEngine2D::Physics
{

namespace
{

// A mass that is not a number is inert, as in the world's step: it neither pulls nor is pulled, instead of
// turning the force of every partner into NaN.
inline float PullingMass(float value)
{
    return std::isnan(value) ? 0.0f : value;
}

// ---- The portable walk: two rows at a time, the columns in tiles ----

// The forces of the pairs (i, j), begin <= j < end, on mass i are written to the tile; the opposite forces are
// subtracted from the masses j at once (adding F × −1 is exactly subtracting F). This loop carries no dependency
// from one j to the next, so the compiler vectorises it (the physics sources are built with -fno-math-errno
// -fno-trapping-math, which changes no result).
template <bool SimpleMode>
[[gnu::always_inline]] inline void PairTile(std::size_t begin, std::size_t end, float xi, float yi, float zi, float mi,
                                            const float* __restrict x, const float* __restrict y,
                                            const float* __restrict z, const float* __restrict m, float* __restrict fx,
                                            float* __restrict fy, float* __restrict fz, float* __restrict rx,
                                            float* __restrict ry, float* __restrict rz, float factor)
{
    const float miG = mi * GravityLaw::G;
    for (std::size_t j = begin; j < end; ++j)
    {
        const float dx = xi - x[j];
        const float dy = yi - y[j];
        const float dz = zi - z[j];
        // Point3D::Length: the sum rounded to float, then its root (the root of +0 is 0 as well).
        const float r = std::sqrt(dx * dx + dy * dy + dz * dz);
        const bool together = r == 0.0f;
        // Masses at the same place get no force; the placeholder divisor only keeps the lane free of 0 / 0.
        const float minusR = together ? -1.0f : -r;
        const float ux = dx / minusR;
        const float uy = dy / minusR;
        const float uz = dz / minusR;
        const float mj = PullingMass(m[j]);
        float forceX;
        float forceY;
        float forceZ;
        if constexpr (SimpleMode)
        {
            forceX = ux * GravityLaw::G * mi * mj / GravityLaw::ConstantLawDivisor;
            forceY = uy * GravityLaw::G * mi * mj / GravityLaw::ConstantLawDivisor;
            forceZ = uz * GravityLaw::G * mi * mj / GravityLaw::ConstantLawDivisor;
        }
        else
        {
            float s = r / 2.0f * 1000.0f;
            s = s < 1.0f ? 1.0f : s;
            const float product = miG * mj;
            const float divisor = s * s * factor;
            forceX = ux * product / divisor;
            forceY = uy * product / divisor;
            forceZ = uz * product / divisor;
        }
        forceX = together ? 0.0f : forceX;
        forceY = together ? 0.0f : forceY;
        forceZ = together ? 0.0f : forceZ;
        rx[j - begin] = forceX;
        ry[j - begin] = forceY;
        rz[j - begin] = forceZ;
        fx[j] = fx[j] - forceX;
        fy[j] = fy[j] - forceY;
        fz[j] = fz[j] - forceZ;
    }
}

template <bool SimpleMode>
[[gnu::always_inline]] inline void PairTileOfRow(const GravityArrays& b, std::size_t i, std::size_t begin,
                                                 std::size_t end, RowTile& tile, float factor)
{
    PairTile<SimpleMode>(begin, end, b.x[i], b.y[i], b.z[i], PullingMass(b.m[i]), b.x, b.y, b.z, b.m, b.fx, b.fy, b.fz,
                         tile.x, tile.y, tile.z, factor);
}

// Rows are handled two at a time: the sums of a row over j must be formed in order, one float addition after
// the other, and two rows give the processor two independent chains of additions to overlap.
template <bool SimpleMode>
[[gnu::always_inline]] inline void PortableWalk(const GravityArrays& b, float factor)
{
    RowTile first;
    RowTile second;
    for (std::size_t i = 0; i + 1 < b.count; i += 2)
    {
        const std::size_t k = i + 1;
        // Mass i: the pair (i, k) comes first, then the pairs with j > k. Mass k then holds its pair with i.
        PairTileOfRow<SimpleMode>(b, i, k, k + 1, first, factor);
        float ix = b.fx[i] + first.x[0];
        float iy = b.fy[i] + first.y[0];
        float iz = b.fz[i] + first.z[0];
        float kx = b.fx[k];
        float ky = b.fy[k];
        float kz = b.fz[k];
        for (std::size_t begin = k + 1; begin < b.count; begin += TileColumns)
        {
            const std::size_t end = std::min(begin + TileColumns, b.count);
            // Each mass j loses the pair with i before the pair with k, as in the walk.
            PairTileOfRow<SimpleMode>(b, i, begin, end, first, factor);
            PairTileOfRow<SimpleMode>(b, k, begin, end, second, factor);
            for (std::size_t j = 0; j < end - begin; ++j)
            {
                ix = ix + first.x[j];
                iy = iy + first.y[j];
                iz = iz + first.z[j];
                kx = kx + second.x[j];
                ky = ky + second.y[j];
                kz = kz + second.z[j];
            }
        }
        b.fx[i] = ix;
        b.fy[i] = iy;
        b.fz[i] = iz;
        b.fx[k] = kx;
        b.fy[k] = ky;
        b.fz[k] = kz;
    }
    // With an odd count the last mass has no later partner: its force is complete already.
}

// Without contraction (the physics sources are built with -ffp-contract=off), the clones round every operation
// exactly like the scalar formula.
QUARNEL_PORTABLE_CLONES void PortableWalkSimple(const GravityArrays& bodies, float factor)
{
    PortableWalk<true>(bodies, factor);
}

QUARNEL_PORTABLE_CLONES void PortableWalkInverseSquare(const GravityArrays& bodies, float factor)
{
    PortableWalk<false>(bodies, factor);
}

#if QUARNEL_AVX512_PATHS

// ---- The AVX-512 walk: sixteen rows at a time in the lanes of one vector, the columns skewed ----
//
// A row's force must be summed over its columns in ascending order, and a column's force over its rows in
// ascending order; lanes can only add in step. So the sixteen rows of a block meet their columns on a diagonal:
// at step t, lane l holds row first + 15 − l and column first − 14 + t + l. Each lane meets its columns in
// ascending order, and each column, handed down one lane per step, meets the rows in ascending order. A column
// enters at lane 15 with the force gathered so far and leaves at lane 0 with the rows of the block added; a row
// of the block starts its sum from its own column's force just when that column has passed the earlier rows.
// Rows wait with masked lanes until their first column (30 steps at most), and the last columns leave through
// masked lanes: a block of sixteen rows and n − first columns takes n − first + 14 steps.

constexpr std::ptrdiff_t Lanes = 16;
// Steps until every lane of a block has reached a column after its row; row k's sum starts after step 2k − 1.
constexpr std::ptrdiff_t RampSteps = 30;

struct BlockRows
{
    // Lane l holds row first + 15 − l; masses that are not numbers are 0.
    __m512 x, y, z, m, mG;
};

struct Vector3
{
    __m512 x, y, z;
};

// The lanes l for which first + l lies in [0, count).
inline __mmask16 LanesInRange(std::ptrdiff_t first, std::ptrdiff_t count)
{
    const std::ptrdiff_t low = std::clamp<std::ptrdiff_t>(-first, 0, Lanes);
    const std::ptrdiff_t high = std::clamp<std::ptrdiff_t>(count - first, 0, Lanes);
    if (high <= low)
        return 0;
    return static_cast<__mmask16>(((1u << high) - 1u) & ~((1u << low) - 1u));
}

// Lanes from the given one up.
inline __mmask16 LanesFrom(std::ptrdiff_t lowest)
{
    return static_cast<__mmask16>((0xFFFFu << lowest) & 0xFFFFu);
}

// array[first + l] in each lane l of inRange, 0 elsewhere. first may lie before the array: the address is formed
// as an integer, and a masked load reads no lane outside the mask.
[[gnu::target("avx512f"), gnu::always_inline]] inline __m512 LoadLanes(const float* array, std::ptrdiff_t first,
                                                                       __mmask16 inRange)
{
    const std::uintptr_t address =
        reinterpret_cast<std::uintptr_t>(array) + static_cast<std::uintptr_t>(first) * sizeof(float);
    return _mm512_maskz_loadu_ps(inRange, reinterpret_cast<const void*>(address));
}

[[gnu::target("avx512f"), gnu::always_inline]] inline __m512 PullingMasses(__m512 values)
{
    return _mm512_maskz_mov_ps(_mm512_cmp_ps_mask(values, values, _CMP_ORD_Q), values);
}

[[gnu::target("avx512f"), gnu::always_inline]] inline __m512 Negated(__m512 values)
{
    return _mm512_castsi512_ps(
        _mm512_xor_si512(_mm512_castps_si512(values), _mm512_set1_epi32(static_cast<int>(0x80000000u))));
}

// u × G × mA × mB ÷ 20, multiplied in this order; 0 in the lanes outside apart.
[[gnu::target("avx512f"), gnu::always_inline]] inline __m512 SimpleForce(__mmask16 apart, __m512 u, __m512 ma,
                                                                         __m512 mb)
{
    const __m512 product = _mm512_mul_ps(_mm512_mul_ps(_mm512_mul_ps(u, _mm512_set1_ps(GravityLaw::G)), ma), mb);
    return _mm512_maskz_div_ps(apart, product, _mm512_set1_ps(GravityLaw::ConstantLawDivisor));
}

// The forces of the pairs (row, column) on the row masses, lane by lane, with the scalar formula's operations in
// its order: every division and root of AVX-512 is correctly rounded, and no multiply-add is contracted.
template <bool SimpleMode>
[[gnu::target("avx512f"), gnu::always_inline]] inline Vector3 PairForces(const BlockRows& rows, __m512 cx, __m512 cy,
                                                                         __m512 cz, __m512 cm, __m512 factor)
{
    const __m512 dx = _mm512_sub_ps(rows.x, cx);
    const __m512 dy = _mm512_sub_ps(rows.y, cy);
    const __m512 dz = _mm512_sub_ps(rows.z, cz);
    __m512 sum = _mm512_add_ps(_mm512_mul_ps(dx, dx), _mm512_mul_ps(dy, dy));
    sum = _mm512_add_ps(sum, _mm512_mul_ps(dz, dz));
    const __m512 r = _mm512_sqrt_ps(sum);
    // A distance that is not a number is not "together": its force stays NaN, as in the scalar walk.
    const __mmask16 apart = _mm512_cmp_ps_mask(r, _mm512_setzero_ps(), _CMP_NEQ_UQ);
    const __m512 minusR = Negated(r);
    // Masked lanes are the masses at the same place: they get +0 and raise no 0 / 0.
    const __m512 ux = _mm512_maskz_div_ps(apart, dx, minusR);
    const __m512 uy = _mm512_maskz_div_ps(apart, dy, minusR);
    const __m512 uz = _mm512_maskz_div_ps(apart, dz, minusR);
    if constexpr (SimpleMode)
    {
        return {SimpleForce(apart, ux, rows.m, cm), SimpleForce(apart, uy, rows.m, cm),
                SimpleForce(apart, uz, rows.m, cm)};
    }
    else
    {
        // r / 2 is exactly r × 0.5. The maximum with 1 first keeps a NaN distance NaN, like "s < 1 ? 1 : s".
        __m512 s = _mm512_mul_ps(_mm512_mul_ps(r, _mm512_set1_ps(0.5f)), _mm512_set1_ps(1000.0f));
        s = _mm512_max_ps(_mm512_set1_ps(1.0f), s);
        const __m512 product = _mm512_mul_ps(rows.mG, cm);
        const __m512 divisor = _mm512_mul_ps(_mm512_mul_ps(s, s), factor);
        return {_mm512_maskz_div_ps(apart, _mm512_mul_ps(ux, product), divisor),
                _mm512_maskz_div_ps(apart, _mm512_mul_ps(uy, product), divisor),
                _mm512_maskz_div_ps(apart, _mm512_mul_ps(uz, product), divisor)};
    }
}

struct SkewState
{
    BlockRows rows;
    // The forces of the block's rows, summed up to the columns they have met.
    Vector3 row;
    // The forces of the columns in flight, lane l holding column first − 14 + t + l.
    Vector3 column;
};

// Column `leaving` (lane 0) is complete for this block and goes back to memory; lane l takes the column of lane
// l + 1, and lane 15 the next column with the force gathered so far.
[[gnu::target("avx512f"), gnu::always_inline]] inline __m512 PassColumns(__m512 column, float* forces,
                                                                         std::ptrdiff_t leaving, bool leavingStored,
                                                                         std::ptrdiff_t entering, bool enteringExists)
{
    if (leavingStored)
        forces[leaving] = _mm512_cvtss_f32(column);
    const __m512 next = enteringExists ? _mm512_set1_ps(forces[entering]) : _mm512_setzero_ps();
    return _mm512_castsi512_ps(_mm512_alignr_epi32(_mm512_castps_si512(next), _mm512_castps_si512(column), 1));
}

// A step with every lane on a valid pair and the next column inside the array.
template <bool SimpleMode>
[[gnu::target("avx512f"), gnu::always_inline]] inline void FullStep(SkewState& state, const GravityArrays& b,
                                                                    std::ptrdiff_t base, __m512 factor)
{
    const __m512 cm = PullingMasses(_mm512_loadu_ps(b.m + base));
    const Vector3 force = PairForces<SimpleMode>(state.rows, _mm512_loadu_ps(b.x + base), _mm512_loadu_ps(b.y + base),
                                                 _mm512_loadu_ps(b.z + base), cm, factor);
    state.row.x = _mm512_add_ps(state.row.x, force.x);
    state.row.y = _mm512_add_ps(state.row.y, force.y);
    state.row.z = _mm512_add_ps(state.row.z, force.z);
    state.column.x = _mm512_sub_ps(state.column.x, force.x);
    state.column.y = _mm512_sub_ps(state.column.y, force.y);
    state.column.z = _mm512_sub_ps(state.column.z, force.z);
    state.column.x = PassColumns(state.column.x, b.fx, base, true, base + Lanes, true);
    state.column.y = PassColumns(state.column.y, b.fy, base, true, base + Lanes, true);
    state.column.z = PassColumns(state.column.z, b.fz, base, true, base + Lanes, true);
}

// A step at the start or the end of a block: lanes whose column is not after their row, or lies past the last
// mass, leave both sums alone; `starting` marks the lane whose row starts its sum from its column's force.
template <bool SimpleMode>
[[gnu::target("avx512f"), gnu::always_inline]] inline void MaskedStep(SkewState& state, const GravityArrays& b,
                                                                      std::ptrdiff_t t, std::ptrdiff_t base,
                                                                      __mmask16 starting, __m512 factor)
{
    const auto count = static_cast<std::ptrdiff_t>(b.count);
    const __mmask16 inRange = LanesInRange(base, count);
    const __mmask16 valid = inRange & LanesFrom(t < RampSteps ? (RampSteps + 1 - t) / 2 : 0);
    const __m512 cm = PullingMasses(LoadLanes(b.m, base, inRange));
    const Vector3 force =
        PairForces<SimpleMode>(state.rows, LoadLanes(b.x, base, inRange), LoadLanes(b.y, base, inRange),
                               LoadLanes(b.z, base, inRange), cm, factor);
    state.row.x = _mm512_mask_add_ps(state.row.x, valid, state.row.x, force.x);
    state.row.y = _mm512_mask_add_ps(state.row.y, valid, state.row.y, force.y);
    state.row.z = _mm512_mask_add_ps(state.row.z, valid, state.row.z, force.z);
    state.column.x = _mm512_mask_sub_ps(state.column.x, valid, state.column.x, force.x);
    state.column.y = _mm512_mask_sub_ps(state.column.y, valid, state.column.y, force.y);
    state.column.z = _mm512_mask_sub_ps(state.column.z, valid, state.column.z, force.z);
    state.row.x = _mm512_mask_mov_ps(state.row.x, starting, state.column.x);
    state.row.y = _mm512_mask_mov_ps(state.row.y, starting, state.column.y);
    state.row.z = _mm512_mask_mov_ps(state.row.z, starting, state.column.z);
    const bool leavingStored = base >= 0 && base < count;
    const bool enteringExists = base + Lanes < count;
    state.column.x = PassColumns(state.column.x, b.fx, base, leavingStored, base + Lanes, enteringExists);
    state.column.y = PassColumns(state.column.y, b.fy, base, leavingStored, base + Lanes, enteringExists);
    state.column.z = PassColumns(state.column.z, b.fz, base, leavingStored, base + Lanes, enteringExists);
}

// The rows of a block from its first row on, lane l holding row first + 15 − l.
[[gnu::target("avx512f"), gnu::always_inline]] inline __m512 ReversedRows(const float* fromFirst, __mmask16 rowsInRange,
                                                                          __m512i reverse)
{
    return _mm512_permutexvar_ps(reverse, _mm512_maskz_loadu_ps(rowsInRange, fromFirst));
}

template <bool SimpleMode>
[[gnu::target("avx512f")]] void SkewBlock(const GravityArrays& b, std::ptrdiff_t first, __m512 factor)
{
    const auto count = static_cast<std::ptrdiff_t>(b.count);
    // Lane l of a loaded row vector holds row first + l; reversed, row first + 15 − l.
    const __m512i reverse = _mm512_set_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __mmask16 rowsInRange = LanesInRange(first, count);
    SkewState state{};
    state.rows.x = ReversedRows(b.x + first, rowsInRange, reverse);
    state.rows.y = ReversedRows(b.y + first, rowsInRange, reverse);
    state.rows.z = ReversedRows(b.z + first, rowsInRange, reverse);
    state.rows.m = PullingMasses(ReversedRows(b.m + first, rowsInRange, reverse));
    state.rows.mG = _mm512_mul_ps(state.rows.m, _mm512_set1_ps(GravityLaw::G));
    // Row first (lane 15) has no earlier partner in the block: its sum starts from the force gathered so far.
    state.row = {_mm512_set1_ps(b.fx[first]), _mm512_set1_ps(b.fy[first]), _mm512_set1_ps(b.fz[first])};
    const __mmask16 columnsInRange = LanesInRange(first - 14, count);
    state.column = {LoadLanes(b.fx, first - 14, columnsInRange), LoadLanes(b.fy, first - 14, columnsInRange),
                    LoadLanes(b.fz, first - 14, columnsInRange)};

    const std::ptrdiff_t steps = count - first + 14;
    const std::ptrdiff_t rampEnd = std::min(RampSteps, steps);
    const std::ptrdiff_t fullEnd = std::max(rampEnd, count - first - 2);
    std::ptrdiff_t t = 0;
    for (; t < rampEnd; ++t)
    {
        // At step 2k − 1, row first + k (lane 15 − k) meets its own column, which has just met the rows before it.
        const __mmask16 starting = (t % 2 == 1) ? static_cast<__mmask16>(1u << (15 - (t + 1) / 2)) : __mmask16{0};
        MaskedStep<SimpleMode>(state, b, t, first - 14 + t, starting, factor);
    }
    for (; t < fullEnd; ++t)
        FullStep<SimpleMode>(state, b, first - 14 + t, factor);
    for (; t < steps; ++t)
        MaskedStep<SimpleMode>(state, b, t, first - 14 + t, 0, factor);

    _mm512_mask_storeu_ps(b.fx + first, rowsInRange, _mm512_permutexvar_ps(reverse, state.row.x));
    _mm512_mask_storeu_ps(b.fy + first, rowsInRange, _mm512_permutexvar_ps(reverse, state.row.y));
    _mm512_mask_storeu_ps(b.fz + first, rowsInRange, _mm512_permutexvar_ps(reverse, state.row.z));
}

template <bool SimpleMode>
[[gnu::target("avx512f")]] void SkewWalk(const GravityArrays& bodies, float factor)
{
    const __m512 factorLanes = _mm512_set1_ps(factor);
    // A last block of one row has no pair left: that mass's force is complete already.
    for (std::ptrdiff_t first = 0; first + 1 < static_cast<std::ptrdiff_t>(bodies.count); first += Lanes)
        SkewBlock<SimpleMode>(bodies, first, factorLanes);
}

#endif

} // namespace

void AddPairWalkForces(const GravityArrays& bodies, const GravityLaw& law)
{
#if QUARNEL_AVX512_PATHS
    if (ProcessorHasAvx512())
    {
        if (law.simpleMode)
            SkewWalk<true>(bodies, law.factor);
        else
            SkewWalk<false>(bodies, law.factor);
        return;
    }
#endif
    AddPairWalkForcesPortable(bodies, law);
}

void AddPairWalkForcesPortable(const GravityArrays& bodies, const GravityLaw& law)
{
    if (law.simpleMode)
        PortableWalkSimple(bodies, law.factor);
    else
        PortableWalkInverseSquare(bodies, law.factor);
}

} // namespace Quarnel::GameEngine2D::Physics
