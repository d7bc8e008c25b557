#pragma once
// The bytes the benchmark program holds on the heap, counted by its global
// allocation functions, and the most it held since the last reset: the peak
// memory of one piece of work is heapPeak() - heapInUse() taken before it.
// SDL's own allocations can be counted with them.

#include <cstddef>

namespace modsetup::bench {

std::size_t heapInUse();
std::size_t heapPeak();
void resetHeapPeak();  // the peak becomes what is in use now

// Counts what SDL allocates (SDL_malloc and the like) too; called before SDL
// allocates anything, since it frees through the same functions.
void countSdlAllocations();

}  // namespace modsetup::bench
