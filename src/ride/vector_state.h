#pragma once
// A thread inherits the vector registers of the one that made it. While the
// upper halves of the AVX registers are in use (Qt's drawing leaves them so,
// and glibc's own functions clear them only on their way out), every SSE
// instruction of the physics pays for mixing the two: rides then cost two to
// three times the processor time. Clearing them before a run of steps makes
// the window's rides and check cost what trackpack's do.

namespace korvo {

inline void clearUpperVectorState() {
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("avx")) asm volatile("vzeroupper" ::: "memory");
#endif
}

} // namespace korvo
