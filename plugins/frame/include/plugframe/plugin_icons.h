#pragma once
// The icon table behind a plug-in's GetIconPng export (see plugin.h).

#include <cstddef>
#include <cstdint>

struct PlugInIconImage {
    int32_t iconId;
    int32_t pixelSize;
    const unsigned char* png;
    uint32_t pngSize;
};

// Looks up iconId at pixelSize; stores the bytes in *png (null when none, or when
// png is null nothing) and returns their count, 0 when there is no such icon.
uint32_t FindPlugInIcon(const PlugInIconImage* table, size_t count, int32_t iconId, int32_t pixelSize,
                        const unsigned char** png);
