#include "file_filters.h"

#include <algorithm>
#include <cctype>

#include "plugin_manager.h"

namespace kestrel::view {
namespace {

std::string Lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::string BuildOpenFilter(const std::vector<host::FileTypeEntry>& fileTypes)
{
    std::string filter = "All Supported Files (*.*)|";
    for (const host::FileTypeEntry& t : fileTypes)
        filter += "*." + t.extension + ";";
    filter += "|Kestrel Files (*.KXM3)|*.KXM3|";
    for (size_t i = 0; i + 1 < fileTypes.size(); ++i) {
        const host::FileTypeEntry& t = fileTypes[i];
        filter += t.description + " (*." + t.extension + ")|*." + t.extension + "|";
    }
    filter += "|";
    return filter;
}

std::string SaveAsFilter(int viewMode)
{
    switch (viewMode) {
    case 1: return kModelSaveFilter;
    case 2: return kImageSaveFilter;
    default: return {};
    }
}

std::vector<FilterEntry> SplitFilter(const std::string& filter)
{
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < filter.size()) {
        const size_t bar = filter.find('|', start);
        const size_t end = bar == std::string::npos ? filter.size() : bar;
        fields.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    std::vector<FilterEntry> entries;
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].empty())
            break; // the closing "||"
        FilterEntry e;
        e.label = fields[i];
        const std::string& p = fields[i + 1];
        size_t s = 0;
        while (s <= p.size()) {
            const size_t semi = p.find(';', s);
            const size_t end = semi == std::string::npos ? p.size() : semi;
            if (end > s)
                e.patterns.push_back(p.substr(s, end - s));
            if (semi == std::string::npos)
                break;
            s = semi + 1;
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

std::string ToDialogFilter(const std::string& filter)
{
    std::string out;
    for (const FilterEntry& e : SplitFilter(filter)) {
        std::string label = e.label;
        // The dialog reads the patterns from the last parentheses of an entry.
        const size_t open = label.rfind('(');
        if (open != std::string::npos && label.back() == ')')
            label = label.substr(0, open);
        while (!label.empty() && label.back() == ' ')
            label.pop_back();
        // File names are case-sensitive here: offer each pattern in both cases.
        std::string patterns;
        std::vector<std::string> seen;
        for (const std::string& p : e.patterns)
            for (const std::string& form : {Lower(p), Upper(p)}) {
                if (std::find(seen.begin(), seen.end(), form) != seen.end())
                    continue;
                seen.push_back(form);
                patterns += (patterns.empty() ? "" : " ") + form;
            }
        if (!out.empty())
            out += ";;";
        out += label + " (" + patterns + ")";
    }
    return out;
}

} // namespace kestrel::view
