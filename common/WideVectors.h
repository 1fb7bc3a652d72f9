#pragma once
// Hot loops built three times, for processors with AVX-512, with AVX2 and for any other; the
// loader picks one at start-up. Only GCC on x86-64 with an ELF loader does this (Windows has no
// indirect functions); elsewhere the plain build serves.

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && defined(__ELF__)
#define VX_WIDE_VECTORS __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define VX_WIDE_VECTORS
#endif
