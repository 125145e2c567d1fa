#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "content_sniffer.h"

// The sniffer sees at most the head of a file, but the file's size is its own input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const size_t head = std::min(size, kestrel::doc::kSniffBytes);
    (void)kestrel::doc::SniffExtension(data, head, size);
    (void)kestrel::doc::SniffExtension(data, head, size > 84 ? size - 84 : 0);
    return 0;
}
