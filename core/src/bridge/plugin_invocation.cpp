#include <cstdlib>
#include <dlfcn.h>
#include <memory>

#include "nimbus/model.h"
#include "plugframe/plugin.h"
#include "tessera/tessera.h"
#include "util/utf16.h"

namespace {

// The exchange record lives for one call and is emptied and freed on every path.
struct RecordDeleter {
    void operator()(skModel* record) const
    {
        skModelNullify(record);
        std::free(record);
    }
};
using Record = std::unique_ptr<skModel, RecordDeleter>;

Record NewRecord()
{
    auto* record = static_cast<skModel*>(std::calloc(1, SK_MODEL_RECORD_SIZE));
    if (!record)
        return Record();
    skModelInit(record);
    return Record(record);
}

struct Library {
    void* handle = nullptr;
    ~Library()
    {
        if (handle)
            dlclose(handle);
    }
};

} // namespace

char CModel::ProcessPlugIn(CPlugIn* plugIn, const char* argument, ...)
{
    if (!plugIn)
        return 0;
    try {
        PlugInInfo info{};
        if (!plugIn->GetInfo(&info) || info.interfaceId != PLUGIN_INTERFACE_ID)
            return 0;
        Record record = NewRecord();
        if (!record)
            return 0;
        // An importer starts from an empty record whatever the model holds.
        if (info.type != PLUGIN_IMPORT)
            MdlStructExport(record.get());
        const PlugInResult result = plugIn->Process(record.get(), reinterpret_cast<const char16_t*>(argument));
        if (result == PLUGIN_RESULT_CHANGED && !MdlStructTake(record.get()))
            return 0;
        return char(result);
    } catch (...) {
        return char(PLUGIN_RESULT_EXCEPTION);
    }
}

namespace {
char RunLibrary(CModel& model, const std::string& path, const char* argument)
{
    if (path.empty())
        return 0;
    Library library;
    library.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library.handle)
        return 0;
    auto create = reinterpret_cast<PlugInCreateFunction>(dlsym(library.handle, PLUGIN_CREATE_EXPORT_NAME));
    auto destroy = reinterpret_cast<PlugInDestroyFunction>(dlsym(library.handle, PLUGIN_DESTROY_EXPORT_NAME));
    if (!create || !destroy)
        return 0;
    CPlugIn* plugIn = nullptr;
    char result = 0;
    try {
        plugIn = create();
        result = model.ProcessPlugIn(plugIn, argument);
    } catch (...) {
        result = char(PLUGIN_RESULT_EXCEPTION);
    }
    try {
        destroy(plugIn);
    } catch (...) {
        result = char(PLUGIN_RESULT_EXCEPTION);
    }
    return result;
}
} // namespace

char CModel::ProcessPlugIn(const char* libraryFile, const char* argument, ...)
{
    return RunLibrary(*this, libraryFile ? std::string(libraryFile) : std::string(), argument);
}

char CModel::ProcessPlugIn(const char16_t* libraryFile, const char* argument, ...)
{
    return RunLibrary(*this, nimbus::Utf16ToUtf8(libraryFile), argument);
}
