// Replaces the global allocation functions of the benchmark program with ones
// that count what is allocated (as the allocator sizes each block) over malloc,
// and gives SDL the same counting over malloc.
#include "heap_peak.h"

#include <SDL.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace modsetup::bench {
namespace {

std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};

void* counted(void* block) {
    if (block == nullptr) return nullptr;
    const std::size_t now =
        inUse.fetch_add(malloc_usable_size(block), std::memory_order_relaxed) + malloc_usable_size(block);
    std::size_t seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
    return block;
}

void* allocate(std::size_t size) {
    if (void* block = counted(std::malloc(size == 0 ? 1 : size))) return block;
    throw std::bad_alloc();
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    const auto align = static_cast<std::size_t>(alignment);
    if (void* block = counted(std::aligned_alloc(align, (size + align - 1) / align * align))) return block;
    throw std::bad_alloc();
}

void release(void* block) noexcept {
    if (block == nullptr) return;
    inUse.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
    std::free(block);
}

void* SDLCALL sdlMalloc(std::size_t size) { return counted(std::malloc(size)); }
void* SDLCALL sdlCalloc(std::size_t count, std::size_t size) { return counted(std::calloc(count, size)); }
void SDLCALL sdlFree(void* block) { release(block); }

void* SDLCALL sdlRealloc(void* block, std::size_t size) {
    const std::size_t before = block == nullptr ? 0 : malloc_usable_size(block);
    void* moved = std::realloc(block, size);
    if (moved == nullptr && size != 0) return nullptr;  // the block stays as it was
    inUse.fetch_sub(before, std::memory_order_relaxed);
    return counted(moved);
}

}  // namespace

void countSdlAllocations() { SDL_SetMemoryFunctions(sdlMalloc, sdlCalloc, sdlRealloc, sdlFree); }

std::size_t heapInUse() { return inUse.load(std::memory_order_relaxed); }
std::size_t heapPeak() { return peak.load(std::memory_order_relaxed); }
void resetHeapPeak() { peak.store(inUse.load(std::memory_order_relaxed), std::memory_order_relaxed); }

}  // namespace modsetup::bench

using modsetup::bench::allocate;
using modsetup::bench::allocateAligned;
using modsetup::bench::release;

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void* operator new(std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
void operator delete(void* block, std::align_val_t) noexcept { release(block); }
void operator delete[](void* block, std::align_val_t) noexcept { release(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { release(block); }
