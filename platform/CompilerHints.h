#pragma once
// Hints to the optimiser for the few hot loops that need them (the LZW coder). On a compiler
// that knows none of them they expand to nothing, and the code means the same, only slower.

#if defined(__GNUC__) || defined(__clang__)
#define CORPO_NOINLINE __attribute__((noinline))
#define CORPO_ALWAYS_INLINE __attribute__((always_inline))
#define CORPO_LIKELY(condition) __builtin_expect(!!(condition), 1)
#define CORPO_UNLIKELY(condition) __builtin_expect(!!(condition), 0)
#else
#define CORPO_NOINLINE
#define CORPO_ALWAYS_INLINE
#define CORPO_LIKELY(condition) (condition)
#define CORPO_UNLIKELY(condition) (condition)
#endif
