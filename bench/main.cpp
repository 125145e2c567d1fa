// The benchmark program starts the way kestrel and kestrel-cli start, so that the
// memory behaviour measured is the one users get.

#include <benchmark/benchmark.h>

#include "platform/memory_reuse.h"

int main(int argc, char** argv)
{
    kestrel::platform::KeepFreedMemoryForReuse();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
