#pragma once
// The binary contract between a host and a plug-in library: the plug-in object, its
// information record, the plug-in types, the result codes of Process and the
// exported entry points. Free of Qt so that the engine can include it.

#include <cstddef>
#include <cstdint>
#include <new>

#include "tessera/tessera.h"

// Every plug-in reports this in PlugInInfo::interfaceId (and interfaceId2); a host
// rejects any other value.
constexpr int32_t PLUGIN_INTERFACE_ID = 826950;

// PlugInInfo::type.
enum PlugInType : int32_t {
    PLUGIN_IMPORT = 1,
    PLUGIN_EXPORT = 2,
    PLUGIN_EDIT = 3,
    PLUGIN_TOOL = 4,
};

// Results of CPlugIn::Process (a signed 8-bit code).
using PlugInResult = int8_t;
constexpr PlugInResult PLUGIN_RESULT_FAILED = 0;     // failure, or no model given
constexpr PlugInResult PLUGIN_RESULT_CHANGED = 1;    // the record holds a new or changed model
constexpr PlugInResult PLUGIN_RESULT_DONE = 2;       // done; nothing to take back
constexpr PlugInResult PLUGIN_RESULT_EXCEPTION = -1; // made by the host when Process threw

// Filled by CPlugIn::GetInfo. 860 bytes, no padding; zero-terminated 8-bit strings.
struct PlugInInfo {
    char name[64];
    int32_t type;
    int32_t interfaceId;
    int32_t interfaceId2;
    int32_t versionMajor;
    int32_t versionMinor;
    int32_t versionRelease;
    int32_t versionBuild;
    char author[128];
    char company[128];
    char description[256];
    char extra[256];
};
static_assert(sizeof(PlugInInfo) == 860, "PlugInInfo is a fixed binary record");
static_assert(offsetof(PlugInInfo, type) == 64 && offsetof(PlugInInfo, author) == 92 &&
                  offsetof(PlugInInfo, extra) == 604,
              "PlugInInfo fields lie back to back");

// The plug-in object: no data members; the only polymorphic interface that crosses
// a library boundary. Objects are created and destroyed by the library that made
// them (Create, Destroy).
class CPlugIn {
public:
    virtual ~CPlugIn() = default;
    // Fills the caller's record; true when filled.
    virtual bool GetInfo(PlugInInfo* info) = 0;
    // The registration string, owned by the plug-in, valid while it lives.
    virtual const char* GetRegistration() = 0;
    // Works on the record. fileName (UTF-16, may be null) is the file to import;
    // hosts pass nothing in the variable part.
    virtual PlugInResult Process(skModel* model, const char16_t* fileName, ...) = 0;
};

// Exported entry points, looked up by name with C linkage.
#define PLUGIN_CREATE_EXPORT_NAME "Create"
#define PLUGIN_DESTROY_EXPORT_NAME "Destroy"
using PlugInCreateFunction = CPlugIn* (*)();
using PlugInDestroyFunction = void (*)(CPlugIn*);

/*
 * Icons. A plug-in may export, with C linkage,
 *
 *     uint32_t GetIconPng(int32_t iconId, int32_t pixelSize, const unsigned char** png);
 *
 * which, for icon resource `iconId` (the ICO number of the registration string) at
 * `pixelSize` 16 or 32, stores a pointer to PNG bytes in *png and returns their
 * count. The bytes belong to the library and stay valid until it is unloaded. It
 * returns 0 (and stores null) when it has no such icon; a host then uses an icon of
 * its own, as it does when the export is missing. Plug-ins get the export from
 * kestrel_plugin_icons() in CMake.
 */
#define PLUGIN_ICON_EXPORT_NAME "GetIconPng"
using PlugInIconFunction = uint32_t (*)(int32_t iconId, int32_t pixelSize, const unsigned char** png);

#define KESTREL_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))

// Each plug-in library states its exports with these, naming its CPlugIn class:
//     KESTREL_PLUGIN_EXPORTS(CStlReader)
// Create returns null when memory is exhausted; Destroy ignores null.
#define KESTREL_PLUGIN_CREATE(PlugInClass) \
    KESTREL_PLUGIN_EXPORT CPlugIn* Create() { return new (std::nothrow) PlugInClass(); }
#define KESTREL_PLUGIN_DESTROY() \
    KESTREL_PLUGIN_EXPORT void Destroy(CPlugIn* plugIn) { delete plugIn; }
#define KESTREL_PLUGIN_EXPORTS(PlugInClass) \
    KESTREL_PLUGIN_CREATE(PlugInClass)      \
    KESTREL_PLUGIN_DESTROY()
