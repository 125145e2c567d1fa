#pragma once
#include <vector>

namespace kestrel::frame {

// Space the window's toolbar area takes besides the bars themselves: its margins, and the
// gap and handle room between two bars of a row.
constexpr int kToolbarRowMargin = 8;
constexpr int kToolbarGap = 8;

// Splits bars of the given widths, in order, into rows no wider than `rowWidth`; returns the
// index of the first bar of each row after the first. A bar wider than a row gets one alone.
std::vector<int> ToolbarRowStarts(const std::vector<int>& widths, int rowWidth);

} // namespace kestrel::frame
