#include "memory_reuse.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kestrel::platform {

void KeepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    // No block gets its own mapping, so a freed one returns to the heap; the heap's top
    // is trimmed only beyond the kept amount.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, int(kKeptFreeBytes));
    // One heap for every thread: what the reading thread frees is what the interface
    // thread's first frames and the next read take, instead of fresh pages of another arena.
    mallopt(M_ARENA_MAX, 1);
#endif
}

bool ReleaseIdleFreeMemory()
{
#if defined(__GLIBC__)
    // The free bytes of every arena, the reading thread's too.
    if (mallinfo2().fordblks <= kKeptIdleFreeBytes)
        return false;
    malloc_trim(0);
    return true;
#else
    return false;
#endif
}

} // namespace kestrel::platform
