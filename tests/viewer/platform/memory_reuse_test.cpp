#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/memory_reuse.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

#if defined(__GLIBC__)
// A model-sized block freed and asked for again comes from the heap both times, and the
// process keeps it in between instead of handing it back to the kernel.
TEST(MemoryReuse, LargeFreedBlockStaysForTheNextModel)
{
    kestrel::platform::KeepFreedMemoryForReuse();
    constexpr size_t kBlock = size_t(64) << 20;
    void* first = std::malloc(kBlock);
    ASSERT_NE(first, nullptr);
    std::memset(first, 1, kBlock);
    const size_t heapWithBlock = mallinfo2().arena;
    EXPECT_GE(heapWithBlock, kBlock);  // in the heap, not a mapping of its own
    std::free(first);
    EXPECT_GE(mallinfo2().fordblks, kBlock);  // kept, free for reuse

    void* second = std::malloc(kBlock);
    ASSERT_NE(second, nullptr);
    EXPECT_LE(mallinfo2().arena, heapWithBlock);  // the heap did not grow for it
    std::free(second);
}

TEST(MemoryReuse, FreeMemoryBeyondTheKeptAmountIsGivenBack)
{
    kestrel::platform::KeepFreedMemoryForReuse();
    const size_t huge = kestrel::platform::kKeptFreeBytes + (size_t(64) << 20);
    void* block = std::malloc(huge);
    ASSERT_NE(block, nullptr);
    std::memset(block, 1, huge);
    std::free(block);
    EXPECT_LT(mallinfo2().fordblks, huge);
}
#endif

} // namespace
