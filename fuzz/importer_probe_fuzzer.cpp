// The plug-in folder's libraries are probed before loading: any bytes must give an answer.
#include "importer_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    (void)kestrel::host::ProbeImporterFile(data, size, "STL");
    return 0;
}
