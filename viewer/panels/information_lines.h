#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document.h"
#include "nimbus/model_stats.h"

// The lines of the information page, in order; an empty string is an empty line.
namespace kestrel::panels {

struct ImageFacts {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
};

std::vector<std::string> ImageInformation(const ImageFacts& image);

// A frame rate that is not a positive number gives no total time, and one that is not a
// number at all no rate: each shows "Not Available" instead.
std::vector<std::string> ModelInformation(const SK_MODEL_STATS& stats);

std::vector<std::string> EmptyInformation();

// The listing for a view mode; an unknown mode lists as an empty document.
std::vector<std::string> InformationLines(doc::ViewMode viewMode, const SK_MODEL_STATS& stats,
                                          const ImageFacts& image);

} // namespace kestrel::panels
