#pragma once
// The bytes the benchmark program holds on the heap, counted by its global
// allocation functions, and the most it held since the last reset: the peak
// memory of one piece of work is heapPeak() - heapInUse() taken before it.

#include <cstddef>

namespace modsetup::bench {

std::size_t heapInUse();
std::size_t heapPeak();
void resetHeapPeak();  // the peak becomes what is in use now

}  // namespace modsetup::bench
