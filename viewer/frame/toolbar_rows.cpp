#include "toolbar_rows.h"

namespace kestrel::frame {

std::vector<int> ToolbarRowStarts(const std::vector<int>& widths, int rowWidth)
{
    std::vector<int> starts;
    const int room = rowWidth - 2 * kToolbarRowMargin;
    int used = 0;
    for (int i = 0; i < int(widths.size()); ++i) {
        const int need = widths[i] + (used > 0 ? kToolbarGap : 0);
        if (used > 0 && used + need > room) {
            starts.push_back(i);
            used = widths[i];
        } else {
            used += need;
        }
    }
    return starts;
}

} // namespace kestrel::frame
