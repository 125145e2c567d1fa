#include "plugframe/plugin_icons.h"

uint32_t FindPlugInIcon(const PlugInIconImage* table, size_t count, int32_t iconId, int32_t pixelSize,
                        const unsigned char** png)
{
    for (size_t i = 0; table && i < count; ++i) {
        if (table[i].iconId == iconId && table[i].pixelSize == pixelSize && table[i].png && table[i].pngSize) {
            if (png)
                *png = table[i].png;
            return table[i].pngSize;
        }
    }
    if (png)
        *png = nullptr;
    return 0;
}
