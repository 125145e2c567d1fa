#pragma once
// The work every model importer's Process shares: read the named file, parse it, fill the
// empty record. Running out of memory fails the import instead of reaching the host.

#include <cstdint>
#include <new>
#include <vector>

#include "importkit/import_file.h"
#include "plugframe/plugin.h"

namespace kestrel::importkit {

// parse(bytes, file) and build(file, model) each return true on success; finish(model)
// runs after a successful build. parse may take the bytes over instead of copying them.
template <typename File, typename Parse, typename Build, typename Finish>
PlugInResult ImportFile(skModel* model, const char16_t* fileName, Parse parse, Build build, Finish finish)
{
    if (!model || !fileName)
        return PLUGIN_RESULT_FAILED;
    try {
        std::vector<uint8_t> bytes;
        if (!ReadImportFile(fileName, bytes))
            return PLUGIN_RESULT_FAILED;
        File file;
        if (!parse(bytes, file))
            return PLUGIN_RESULT_FAILED;
        std::vector<uint8_t>().swap(bytes); // frees them: assigning {} would keep the capacity
        if (!build(file, model))
            return PLUGIN_RESULT_FAILED;
        finish(model);
        return PLUGIN_RESULT_CHANGED;
    } catch (const std::bad_alloc&) {
        return PLUGIN_RESULT_FAILED;
    }
}

template <typename File, typename Parse, typename Build>
PlugInResult ImportFile(skModel* model, const char16_t* fileName, Parse parse, Build build)
{
    return ImportFile<File>(model, fileName, parse, build, [](skModel*) {});
}

} // namespace kestrel::importkit
