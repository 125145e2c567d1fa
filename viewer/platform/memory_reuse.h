#pragma once

#include <cstddef>

namespace kestrel::platform {

// Free memory up to this much stays in the process after a model is closed.
constexpr size_t kKeptFreeBytes = size_t(512) << 20;

// By default glibc returns every large freed block to the kernel at once, so each model
// opened after another (browsing a folder, reloading a file) gets fresh pages again, and
// on virtual machines the first touch of a fresh page costs more than reading the file
// (seen: 256 MiB took 820 ms to touch once, 17 ms the second time). This keeps large
// blocks in the heap for reuse and gives back only what exceeds kKeptFreeBytes. Every thread
// shares that heap, so memory a read freed on its thread is reused by the frames drawn on another.
// Call once at start-up, before any large allocation.
void KeepFreedMemoryForReuse();

// Free memory a program may keep while a model is only looked at.
constexpr size_t kKeptIdleFreeBytes = size_t(32) << 20;

// Once a file is open and shown, what its read and first frames used and freed (the file's
// bytes, the exchange copy, the rasterizer's frame data: about 100 MiB for a 1,000,000-triangle
// model) would otherwise stay resident as long as the model is looked at. When more than
// kKeptIdleFreeBytes is free, every free page goes back to the system. True when it did.
bool ReleaseIdleFreeMemory();

} // namespace kestrel::platform
