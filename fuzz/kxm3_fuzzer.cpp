#include <cstddef>
#include <cstdint>

#include "doc_model.h"
#include "kxm3_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CDocModel model;
    kestrel::kxm3::Read(data, size, model);
    return 0;
}
