#include "plugframe/plugin_info.h"

#include <cstring>

namespace {

template <size_t N> void CopyField(char (&field)[N], const char* text)
{
    if (!text)
        return;
    std::strncpy(field, text, N - 1);
    field[N - 1] = '\0';
}

} // namespace

bool FillPlugInInfo(PlugInInfo* info, const PlugInDescription& description)
{
    if (!info)
        return false;
    std::memset(info, 0, sizeof(*info));
    CopyField(info->name, description.name);
    info->type = description.type;
    info->interfaceId = PLUGIN_INTERFACE_ID;
    info->interfaceId2 = PLUGIN_INTERFACE_ID;
    info->versionMajor = description.version[0];
    info->versionMinor = description.version[1];
    info->versionRelease = description.version[2];
    info->versionBuild = description.version[3];
    CopyField(info->author, description.author);
    CopyField(info->company, description.company);
    CopyField(info->description, description.description);
    CopyField(info->extra, description.extra);
    return true;
}
