#pragma once

// The AVX-512 paths of the gravity kernels are compiled function by function with target attributes and taken
// only where the processor has AVX-512, so the program still runs on any x86-64 processor.
#if defined(__GNUC__) && defined(__x86_64__)
#define QUARNEL_AVX512_PATHS 1
// GCC 12 takes the placeholder operand of the unmasked AVX-512 intrinsics (_mm512_undefined_ps) for an
// uninitialised variable; the warning is silenced for the intrinsics' header only.
#pragma GCC diagnostic push
#if !defined(__clang__)
// Clang has no such warning group and would warn about the unknown name instead.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#pragma GCC diagnostic ignored "-Wuninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#else
#define QUARNEL_AVX512_PATHS 0
#endif

// The portable loops: the x86-64 baseline has 4-wide vectors only, and an AVX2 clone doubles that where the
// processor has it. AVX2 brings no fused multiply-add, so the clones differ in speed only.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define QUARNEL_PORTABLE_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define QUARNEL_PORTABLE_CLONES
#endif

namespace Quarnel::GameEngine2D::Physics
{

// True when the processor runs the AVX-512 foundation instructions.
[[nodiscard]] bool ProcessorHasAvx512();

} // namespace Quarnel::GameEngine2D::Physics
