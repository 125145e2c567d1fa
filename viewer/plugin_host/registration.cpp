#include "registration.h"

#include <cstdio>
#include <cstring>

namespace kestrel::host {
namespace {

// The next "<...>" token from pos; false when there is none.
bool NextToken(const std::string& text, size_t& pos, std::string& token)
{
    const size_t open = text.find('<', pos);
    const size_t close = text.find('>', pos);
    if (open == std::string::npos || close == std::string::npos || close < open)
        return false;
    token = text.substr(open, close - open + 1);
    pos = close + 1;
    return true;
}

} // namespace

bool ParseRegistration(const char* text, std::vector<DeclaredFileType>& types)
{
    types.clear();
    if (!text || !*text || !std::strchr(text, '<'))
        return false;
    const std::string s(text);
    size_t pos = 0;
    std::string token;
    if (!NextToken(s, pos, token) || token.find("KXIMP") == std::string::npos)
        return false;
    int count = 0;
    if (!NextToken(s, pos, token) || std::sscanf(token.c_str(), "<EXTNUM:%d>", &count) != 1)
        return false;
    std::vector<DeclaredFileType> parsed;
    for (int i = 0; i < count; ++i) {
        if (!NextToken(s, pos, token))
            return false;
        // Field widths keep the texts inside their entries; a longer one stops the match.
        char ext[32] = {};
        char inf[64] = {};
        DeclaredFileType t;
        if (std::sscanf(token.c_str(), "<T:%d EXT:\"%31[^\"]\" INF:\"%63[^\"]\" ICO:%d>", &t.kind, ext, inf, &t.icon) != 4)
            return false;
        t.extension = ext;
        t.description = inf;
        parsed.push_back(std::move(t));
    }
    types = std::move(parsed);
    return true;
}

} // namespace kestrel::host
