#include <gtest/gtest.h>

#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>
#include <unistd.h>

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

// What a read frees on its thread, the interface thread's next blocks take.
TEST(MemoryReuse, MemoryFreedOnAnotherThreadIsReusedHere)
{
    kestrel::platform::KeepFreedMemoryForReuse();
    constexpr size_t kBlock = size_t(24) << 20;  // small enough for a thread's own arena
    std::thread([] {
        std::vector<void*> blocks;
        for (int i = 0; i < 4; ++i) {
            blocks.push_back(std::malloc(kBlock));
            ASSERT_NE(blocks.back(), nullptr);
            std::memset(blocks.back(), 1, kBlock);
        }
        for (void* b : blocks)
            std::free(b);
    }).join();
    const size_t heap = mallinfo2().arena;
    void* here = std::malloc(kBlock * 3);
    ASSERT_NE(here, nullptr);
    EXPECT_LE(mallinfo2().arena, heap) << "the freed blocks were not reused";
    std::free(here);
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

size_t ResidentBytes()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return size_t(resident) * size_t(sysconf(_SC_PAGESIZE));
}

// What a read freed is kept while more models may come, and given back once a model is shown;
// a little free memory is not worth the call.
TEST(MemoryReuse, FreedMemoryGoesBackOnceAModelIsShown)
{
    kestrel::platform::KeepFreedMemoryForReuse();
    kestrel::platform::ReleaseIdleFreeMemory();
    constexpr size_t kBlock = size_t(96) << 20;
    auto* block = static_cast<volatile char*>(std::malloc(kBlock));
    ASSERT_NE(block, nullptr);
    for (size_t i = 0; i < kBlock; i += 4096)
        block[i] = 1;
    // Held below the top of the heap, as a model's arrays are after a read.
    void* after = std::malloc(4096);
    std::free(const_cast<char*>(block));
    const size_t kept = ResidentBytes();
    EXPECT_TRUE(kestrel::platform::ReleaseIdleFreeMemory());
    EXPECT_LT(ResidentBytes() + kBlock / 2, kept) << "the freed block is still resident";
    std::free(after);
}
#endif

} // namespace
