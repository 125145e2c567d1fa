#include "output_target.h"

#include <cstdio>

#include "util/file_replacement.h"

namespace kestrel::cli {

std::string WriteRefusalFor(const std::string& path)
{
    nimbus::FileReplacement probe;
    const nimbus::ReplaceRefusal refusal = nimbus::BeginReplacement(path, probe);
    nimbus::AbandonReplacement(probe);
    return refusal == nimbus::ReplaceRefusal::None ? std::string() : nimbus::DescribeRefusal(refusal);
}

void ReportWriteFailure(const std::string& message, const std::string& refusal)
{
    if (refusal.empty())
        std::fprintf(stderr, "%s\n", message.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", message.c_str(), refusal.c_str());
}

} // namespace kestrel::cli
