#include "GameEngine2D/Physics/ParallelGravity.h"

#include "GameEngine2D/Physics/Avx512Support.h"
#include "GameEngine2D/Physics/RowTile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Quarnel::GameEngine2D::Physics
{

namespace
{

// Floats per vector; rows and columns are padded to whole vectors, and chunks start on a vector.
constexpr std::size_t Lanes = 16;
// Rows that meet each vector of columns together (AVX-512 path); chunks end on a block.
constexpr std::size_t RowsPerBlock = 4;
// Chunks per update, whatever the thread count: they are handed out in order to whichever thread is free, and
// thirty-two keep the last one short enough for the threads to finish together.
constexpr std::size_t ChunkCount = 32;
// Columns per task when the chunks' sums are added up.
constexpr std::size_t ColumnsPerSumTask = 1024;
// With s = 500 r never below 1: 1 / (s × s) = min(4e-6 / r², 1).
constexpr float InverseScaleSquared = 1.0f / 250000.0f;

// Bodies padded to whole vectors: the bodies past the last have mass 0 and sit at the origin.
struct PaddedBodies
{
    const float* x;
    const float* y;
    const float* z;
    const float* m;
    std::size_t padded;
};

// A chunk's sums of pair forces; column j at index j − firstRow.
struct ChunkSums
{
    float* x;
    float* y;
    float* z;
    std::size_t firstRow;
};

// The force of pair (i, j) on i is (pj − pi) × k_i × m_j / r, times min(4e-6 / r², 1) for the inverse-square law.
float RowScale(const GravityLaw& law)
{
    return law.simpleMode ? GravityLaw::G / GravityLaw::ConstantLawDivisor : GravityLaw::G / law.factor;
}

std::size_t AlignedStart(const std::vector<float>& storage)
{
    const auto address = reinterpret_cast<std::uintptr_t>(storage.data());
    const std::uintptr_t misalignment = address % (Lanes * sizeof(float));
    return misalignment == 0 ? 0 : (Lanes * sizeof(float) - misalignment) / sizeof(float);
}

// The sum of sixteen lanes as a fixed tree, the same whatever the thread.
float TreeSum(const float (&lanes)[Lanes])
{
    float half[Lanes / 2];
    for (std::size_t l = 0; l < Lanes / 2; ++l)
        half[l] = lanes[l] + lanes[l + Lanes / 2];
    float quarter[Lanes / 4];
    for (std::size_t l = 0; l < Lanes / 4; ++l)
        quarter[l] = half[l] + half[l + Lanes / 4];
    return (quarter[0] + quarter[2]) + (quarter[1] + quarter[3]);
}

// ---- The portable chunk: one row at a time, its sums kept in sixteen lanes ----

// The forces of a row's pairs with `length` columns go to the tile and are taken from the columns' sums; the
// columns before `after` (those up to the row) weigh 0. A plain loop without branches, so that it vectorises;
// the restrict qualifiers must sit on parameters, as GCC does not vectorise through restrict-qualified locals.
template <bool SimpleMode>
[[gnu::always_inline]] inline void PortableTile(float xi, float yi, float zi, float ki, std::size_t after,
                                                std::size_t length, const float* __restrict x,
                                                const float* __restrict y, const float* __restrict z,
                                                const float* __restrict m, float* __restrict sumX,
                                                float* __restrict sumY, float* __restrict sumZ, float* __restrict tx,
                                                float* __restrict ty, float* __restrict tz)
{
    for (std::size_t k = 0; k < after; ++k)
    {
        tx[k] = 0.0f;
        ty[k] = 0.0f;
        tz[k] = 0.0f;
    }
    for (std::size_t k = after; k < length; ++k)
    {
        const float dx = x[k] - xi;
        const float dy = y[k] - yi;
        const float dz = z[k] - zi;
        const float r2 = dx * dx + dy * dy + dz * dz;
        // Masses at one place weigh 0; the placeholder distance keeps the lane free of 1 / 0.
        const bool apart = r2 != 0.0f;
        const float inverse = 1.0f / std::sqrt(apart ? r2 : 1.0f);
        float w = ki * m[k] * inverse * (apart ? 1.0f : 0.0f);
        if constexpr (!SimpleMode)
        {
            const float clamp = inverse * inverse * InverseScaleSquared;
            w = w * (clamp < 1.0f ? clamp : 1.0f);
        }
        tx[k] = dx * w;
        ty[k] = dy * w;
        tz[k] = dz * w;
        sumX[k] -= dx * w;
        sumY[k] -= dy * w;
        sumZ[k] -= dz * w;
    }
}

// Lane l of the row's sums takes the tile's columns l, l + 16, ... in order.
inline void AddToLanes(const float* tile, std::size_t length, float (&lanes)[Lanes])
{
    for (std::size_t k = 0; k < length; k += Lanes)
        for (std::size_t l = 0; l < Lanes; ++l)
            lanes[l] += tile[k + l];
}

template <bool SimpleMode>
[[gnu::always_inline]] inline void PortableChunk(const PaddedBodies& b, std::size_t firstRow, std::size_t endRow,
                                                 const ChunkSums& sums, float scale)
{
    std::fill_n(sums.x, b.padded - firstRow, 0.0f);
    std::fill_n(sums.y, b.padded - firstRow, 0.0f);
    std::fill_n(sums.z, b.padded - firstRow, 0.0f);
    RowTile tile;
    for (std::size_t i = firstRow; i < endRow; ++i)
    {
        const float ki = b.m[i] * scale;
        float ax[Lanes] = {};
        float ay[Lanes] = {};
        float az[Lanes] = {};
        for (std::size_t begin = i - i % Lanes; begin < b.padded; begin += TileColumns)
        {
            const std::size_t end = std::min(begin + TileColumns, b.padded);
            // Everything from column `begin` on; the chunk's sums start at its first row, which is not after it.
            const std::size_t after = std::min(i + 1 > begin ? i + 1 - begin : 0, end - begin);
            const std::size_t offset = begin - sums.firstRow;
            PortableTile<SimpleMode>(b.x[i], b.y[i], b.z[i], ki, after, end - begin, b.x + begin, b.y + begin,
                                     b.z + begin, b.m + begin, sums.x + offset, sums.y + offset, sums.z + offset,
                                     tile.x, tile.y, tile.z);
            AddToLanes(tile.x, end - begin, ax);
            AddToLanes(tile.y, end - begin, ay);
            AddToLanes(tile.z, end - begin, az);
        }
        sums.x[i - firstRow] += TreeSum(ax);
        sums.y[i - firstRow] += TreeSum(ay);
        sums.z[i - firstRow] += TreeSum(az);
    }
}

#if QUARNEL_AVX512_PATHS

// ---- The AVX-512 chunk: four rows at a time against sixteen columns per vector ----

struct RowLanes
{
    // Position and k_i of one row in every lane.
    __m512 x, y, z, k;
    // The row's sums over the columns met so far, one partial sum per lane.
    __m512 sumX, sumY, sumZ;
};

// k_i × m_j / r (× min(4e-6 / r², 1)) for the lanes of `valid` whose distance is not 0, 0 in the others.
// The reciprocal root has 14 correct bits; one Newton step, y (1.5 − r² y² / 2), brings it to float precision.
template <bool SimpleMode>
[[gnu::target("avx512f"), gnu::always_inline]] inline __m512 PairWeight(__m512 r2, __m512 kj, __mmask16 valid)
{
    const __mmask16 apart = _mm512_mask_cmp_ps_mask(valid, r2, _mm512_setzero_ps(), _CMP_NEQ_UQ);
    const __m512 estimate = _mm512_rsqrt14_ps(r2);
    const __m512 halfR2y = _mm512_mul_ps(_mm512_mul_ps(r2, _mm512_set1_ps(0.5f)), estimate);
    const __m512 inverse = _mm512_mul_ps(estimate, _mm512_fnmadd_ps(halfR2y, estimate, _mm512_set1_ps(1.5f)));
    if constexpr (SimpleMode)
    {
        return _mm512_maskz_mul_ps(apart, kj, inverse);
    }
    else
    {
        const __m512 clamp = _mm512_min_ps(
            _mm512_mul_ps(_mm512_mul_ps(inverse, inverse), _mm512_set1_ps(InverseScaleSquared)), _mm512_set1_ps(1.0f));
        return _mm512_maskz_mul_ps(apart, _mm512_mul_ps(kj, inverse), clamp);
    }
}

// The pairs of the block's rows with the sixteen columns from j: each row adds its forces to its lane sums, each
// column loses them, row after row. `after` masks the columns that do not follow a row (the first vector only).
template <bool SimpleMode, bool FirstVector>
[[gnu::target("avx512f"), gnu::always_inline]] inline void ColumnVector(const PaddedBodies& b, std::size_t j,
                                                                        RowLanes (&rows)[RowsPerBlock],
                                                                        const __mmask16 (&after)[RowsPerBlock],
                                                                        const ChunkSums& sums, bool sumsStartAtZero)
{
    const __m512 cx = _mm512_load_ps(b.x + j);
    const __m512 cy = _mm512_load_ps(b.y + j);
    const __m512 cz = _mm512_load_ps(b.z + j);
    const __m512 cm = _mm512_load_ps(b.m + j);
    float* sumX = sums.x + (j - sums.firstRow);
    float* sumY = sums.y + (j - sums.firstRow);
    float* sumZ = sums.z + (j - sums.firstRow);
    __m512 columnX = sumsStartAtZero ? _mm512_setzero_ps() : _mm512_load_ps(sumX);
    __m512 columnY = sumsStartAtZero ? _mm512_setzero_ps() : _mm512_load_ps(sumY);
    __m512 columnZ = sumsStartAtZero ? _mm512_setzero_ps() : _mm512_load_ps(sumZ);
#pragma GCC unroll 4
    for (std::size_t r = 0; r < RowsPerBlock; ++r)
    {
        RowLanes& row = rows[r];
        const __m512 dx = _mm512_sub_ps(cx, row.x);
        const __m512 dy = _mm512_sub_ps(cy, row.y);
        const __m512 dz = _mm512_sub_ps(cz, row.z);
        const __m512 r2 = _mm512_fmadd_ps(dz, dz, _mm512_fmadd_ps(dy, dy, _mm512_mul_ps(dx, dx)));
        const __mmask16 valid = FirstVector ? after[r] : static_cast<__mmask16>(0xFFFF);
        const __m512 w = PairWeight<SimpleMode>(r2, _mm512_mul_ps(row.k, cm), valid);
        row.sumX = _mm512_fmadd_ps(dx, w, row.sumX);
        row.sumY = _mm512_fmadd_ps(dy, w, row.sumY);
        row.sumZ = _mm512_fmadd_ps(dz, w, row.sumZ);
        columnX = _mm512_fnmadd_ps(dx, w, columnX);
        columnY = _mm512_fnmadd_ps(dy, w, columnY);
        columnZ = _mm512_fnmadd_ps(dz, w, columnZ);
    }
    _mm512_store_ps(sumX, columnX);
    _mm512_store_ps(sumY, columnY);
    _mm512_store_ps(sumZ, columnZ);
}

// Rows first .. first + 3 against every column after them. The chunk's first block meets every column of the
// chunk, so it writes the sums instead of adding to them.
template <bool SimpleMode>
[[gnu::target("avx512f")]] void Avx512RowBlock(const PaddedBodies& b, std::size_t first, const ChunkSums& sums,
                                               float scale, bool firstBlock)
{
    const std::size_t firstColumn = first - first % Lanes;
    RowLanes rows[RowsPerBlock];
    __mmask16 after[RowsPerBlock];
    for (std::size_t r = 0; r < RowsPerBlock; ++r)
    {
        const std::size_t i = first + r;
        rows[r] = {
            _mm512_set1_ps(b.x[i]), _mm512_set1_ps(b.y[i]), _mm512_set1_ps(b.z[i]), _mm512_set1_ps(b.m[i] * scale),
            _mm512_setzero_ps(),    _mm512_setzero_ps(),    _mm512_setzero_ps()};
        after[r] = static_cast<__mmask16>((0xFFFFu << (i + 1 - firstColumn)) & 0xFFFFu);
    }
    ColumnVector<SimpleMode, true>(b, firstColumn, rows, after, sums, firstBlock);
    for (std::size_t j = firstColumn + Lanes; j < b.padded; j += Lanes)
        ColumnVector<SimpleMode, false>(b, j, rows, after, sums, firstBlock);
    for (std::size_t r = 0; r < RowsPerBlock; ++r)
    {
        const std::size_t index = first + r - sums.firstRow;
        sums.x[index] += _mm512_reduce_add_ps(rows[r].sumX);
        sums.y[index] += _mm512_reduce_add_ps(rows[r].sumY);
        sums.z[index] += _mm512_reduce_add_ps(rows[r].sumZ);
    }
}

template <bool SimpleMode>
[[gnu::target("avx512f")]] void Avx512Chunk(const PaddedBodies& b, std::size_t firstRow, std::size_t endRow,
                                            const ChunkSums& sums, float scale)
{
    for (std::size_t first = firstRow; first < endRow; first += RowsPerBlock)
        Avx512RowBlock<SimpleMode>(b, first, sums, scale, first == firstRow);
}

#endif

QUARNEL_PORTABLE_CLONES void PortableChunkSimple(const PaddedBodies& b, std::size_t firstRow, std::size_t endRow,
                                                 const ChunkSums& sums, float scale)
{
    PortableChunk<true>(b, firstRow, endRow, sums, scale);
}

QUARNEL_PORTABLE_CLONES void PortableChunkInverseSquare(const PaddedBodies& b, std::size_t firstRow, std::size_t endRow,
                                                        const ChunkSums& sums, float scale)
{
    PortableChunk<false>(b, firstRow, endRow, sums, scale);
}

void AddChunk(const PaddedBodies& b, std::size_t firstRow, std::size_t endRow, const ChunkSums& sums,
              const GravityLaw& law, bool portable)
{
    const float scale = RowScale(law);
#if QUARNEL_AVX512_PATHS
    if (!portable && ProcessorHasAvx512())
    {
        if (law.simpleMode)
            Avx512Chunk<true>(b, firstRow, endRow, sums, scale);
        else
            Avx512Chunk<false>(b, firstRow, endRow, sums, scale);
        return;
    }
#else
    (void)portable;
#endif
    if (law.simpleMode)
        PortableChunkSimple(b, firstRow, endRow, sums, scale);
    else
        PortableChunkInverseSquare(b, firstRow, endRow, sums, scale);
}

} // namespace

ParallelGravity::ParallelGravity(std::size_t threadCount) : pool(threadCount)
{
    chunks.reserve(ChunkCount);
}

void ParallelGravity::AddForces(const GravityArrays& bodies, const GravityLaw& law)
{
    AddForcesOn(bodies, law, false);
}

void ParallelGravity::AddForcesPortable(const GravityArrays& bodies, const GravityLaw& law)
{
    AddForcesOn(bodies, law, true);
}

void ParallelGravity::AddForcesOn(const GravityArrays& bodies, const GravityLaw& law, bool portable)
{
    if (bodies.count < 2)
        return;
    Prepare(bodies);
    const float* start = bodyStorage.data() + bodiesStart;
    const PaddedBodies padding{start, start + padded, start + 2 * padded, start + 3 * padded, padded};
    float* sums = sumStorage.data() + sumsStart;
    pool.Run(chunks.size(), [&](std::size_t index) {
        const Chunk& chunk = chunks[index];
        const std::size_t length = padded - chunk.firstRow;
        float* chunkSums = sums + chunk.sumsOffset;
        AddChunk(padding, chunk.firstRow, chunk.endRow,
                 ChunkSums{chunkSums, chunkSums + length, chunkSums + 2 * length, chunk.firstRow}, law, portable);
    });
    AddChunkSums(bodies);
}

void ParallelGravity::Prepare(const GravityArrays& bodies)
{
    const std::size_t newPadded = (bodies.count + Lanes - 1) / Lanes * Lanes;
    bodyStorage.resize(4 * newPadded + Lanes);
    if (newPadded != padded || bodies.count != count)
    {
        // Until the plan and its buffer are complete, no count matches it: a failed allocation replans next time.
        count = 0;
        padded = 0;
        PlanChunks(bodies.count, newPadded);
        count = bodies.count;
        padded = newPadded;
    }
    bodiesStart = AlignedStart(bodyStorage);
    float* x = bodyStorage.data() + bodiesStart;
    float* y = x + padded;
    float* z = y + padded;
    float* m = z + padded;
    for (std::size_t k = 0; k < count; ++k)
    {
        x[k] = bodies.x[k];
        y[k] = bodies.y[k];
        z[k] = bodies.z[k];
        // A mass that is not a number is inert: it neither pulls nor is pulled.
        m[k] = std::isnan(bodies.m[k]) ? 0.0f : bodies.m[k];
    }
    for (float* array : {x, y, z, m})
        std::fill(array + count, array + padded, 0.0f);
}

void ParallelGravity::PlanChunks(std::size_t bodyCount, std::size_t paddedCount)
{
    // Each group of sixteen rows weighs about as much as its rows' pairs; chunks of groups get equal shares.
    const std::size_t groups = paddedCount / Lanes;
    std::size_t total = 0;
    for (std::size_t group = 0; group < groups; ++group)
        total += paddedCount - group * Lanes;
    chunks.clear();
    std::size_t weight = 0;
    std::size_t firstGroup = 0;
    std::size_t sumsLength = 0;
    for (std::size_t group = 0; group < groups; ++group)
    {
        weight += paddedCount - group * Lanes;
        if (weight * ChunkCount < total * (chunks.size() + 1) && group + 1 < groups)
            continue;
        Chunk chunk;
        chunk.firstRow = firstGroup * Lanes;
        // Rows past the last body are skipped, up to the end of their block.
        chunk.endRow = std::min((group + 1) * Lanes, (bodyCount + RowsPerBlock - 1) / RowsPerBlock * RowsPerBlock);
        chunk.sumsOffset = sumsLength;
        chunks.push_back(chunk);
        sumsLength += 3 * (paddedCount - chunk.firstRow);
        firstGroup = group + 1;
    }
    sumStorage.resize(sumsLength + Lanes);
    sumsStart = AlignedStart(sumStorage);
}

void ParallelGravity::AddChunkSums(const GravityArrays& bodies)
{
    const float* sums = sumStorage.data() + sumsStart;
    const std::size_t tasks = (padded + ColumnsPerSumTask - 1) / ColumnsPerSumTask;
    pool.Run(tasks, [&](std::size_t task) {
        const std::size_t begin = task * ColumnsPerSumTask;
        const std::size_t end = std::min(begin + ColumnsPerSumTask, count);
        float totalX[ColumnsPerSumTask] = {};
        float totalY[ColumnsPerSumTask] = {};
        float totalZ[ColumnsPerSumTask] = {};
        // Every column takes the chunks' sums in chunk order, so the result does not depend on the task cut.
        for (const Chunk& chunk : chunks)
        {
            const std::size_t length = padded - chunk.firstRow;
            const float* chunkX = sums + chunk.sumsOffset;
            const float* chunkY = chunkX + length;
            const float* chunkZ = chunkY + length;
            for (std::size_t j = std::max(begin, chunk.firstRow); j < end; ++j)
            {
                totalX[j - begin] += chunkX[j - chunk.firstRow];
                totalY[j - begin] += chunkY[j - chunk.firstRow];
                totalZ[j - begin] += chunkZ[j - chunk.firstRow];
            }
        }
        for (std::size_t j = begin; j < end; ++j)
        {
            bodies.fx[j] = bodies.fx[j] + totalX[j - begin];
            bodies.fy[j] = bodies.fy[j] + totalY[j - begin];
            bodies.fz[j] = bodies.fz[j] + totalZ[j - begin];
        }
    });
}

} // namespace Quarnel::GameEngine2D::Physics
