#pragma once
// Memory the program holds on the heap now: what malloc handed out and was
// not freed, small blocks and mapped ones, in kB. Unlike the resident size it
// grows by what a step allocates even when freed pages are reused.

#include <malloc.h>

namespace korvo::bench {

inline double heapInUseKb() {
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / 1024.0;
}

} // namespace korvo::bench
