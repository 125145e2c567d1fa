#pragma once
// Filling the information record from a plug-in's constant description.

#include <cstdint>

#include "plugframe/plugin.h"

struct PlugInDescription {
    const char* name;
    PlugInType type;
    int32_t version[4];  // major, minor, release, build
    const char* author;
    const char* description;
    const char* extra;
    const char* company = "Halvard";
};

// Zero-fills the record, then copies the description (texts cut to their fields)
// with both interface identifiers. False for a null record.
bool FillPlugInInfo(PlugInInfo* info, const PlugInDescription& description);
