#include "allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>

// Sanitizer builds report through their allocator hooks (their malloc cannot be replaced);
// other builds put their own malloc family in front of the C library's.
#if defined(__SANITIZE_ADDRESS__)
#define KESTREL_SANITIZER_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTREL_SANITIZER_ALLOCATOR 1
#endif
#endif

namespace {

std::atomic<bool> gActive{false};
std::atomic<size_t> gLargest{0};
std::atomic<int64_t> gHeld{0};
std::atomic<int64_t> gPeak{0};

void RaiseTo(std::atomic<size_t>& value, size_t candidate)
{
    size_t seen = value.load(std::memory_order_relaxed);
    while (candidate > seen && !value.compare_exchange_weak(seen, candidate)) {
    }
}

void RaiseTo(std::atomic<int64_t>& value, int64_t candidate)
{
    int64_t seen = value.load(std::memory_order_relaxed);
    while (candidate > seen && !value.compare_exchange_weak(seen, candidate)) {
    }
}

void Took(size_t size)
{
    if (!gActive.load(std::memory_order_relaxed))
        return;
    RaiseTo(gLargest, size);
    RaiseTo(gPeak, gHeld.fetch_add(int64_t(size), std::memory_order_relaxed) + int64_t(size));
}

// A block freed that was taken before the probe started lowers the count below its start;
// that can only make the peak look smaller by what was held before, never larger.
void Gave(size_t size)
{
    if (gActive.load(std::memory_order_relaxed))
        gHeld.fetch_sub(int64_t(size), std::memory_order_relaxed);
}

} // namespace

#ifdef KESTREL_SANITIZER_ALLOCATOR
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
extern "C" size_t __sanitizer_get_allocated_size(const volatile void* p);
namespace {
void OnMalloc(const volatile void*, size_t size) { Took(size); }
void OnFree(const volatile void* p) { Gave(__sanitizer_get_allocated_size(p)); }
const int gHooksInstalled = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
} // namespace
#else
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);

void* malloc(size_t size)
{
    void* p = __libc_malloc(size);
    if (p)
        Took(malloc_usable_size(p));
    return p;
}

void* calloc(size_t count, size_t size)
{
    void* p = __libc_calloc(count, size);
    if (p)
        Took(malloc_usable_size(p));
    return p;
}

void* realloc(void* old, size_t size)
{
    const size_t before = old ? malloc_usable_size(old) : 0;
    void* p = __libc_realloc(old, size);
    if (p) {
        Gave(before);
        Took(malloc_usable_size(p));
    } else if (size == 0 && old) {
        Gave(before); // realloc(p, 0) freed it
    }
    return p;
}

void free(void* p)
{
    if (p)
        Gave(malloc_usable_size(p));
    __libc_free(p);
}
} // extern "C"
#endif

namespace kestrel::test {

AllocationProbe::AllocationProbe()
{
    gLargest = 0;
    gHeld = 0;
    gPeak = 0;
    gActive = true;
}

AllocationProbe::~AllocationProbe() { gActive = false; }

size_t AllocationProbe::Largest() const { return gLargest; }

size_t AllocationProbe::Peak() const { return size_t(gPeak.load() < 0 ? 0 : gPeak.load()); }

} // namespace kestrel::test
