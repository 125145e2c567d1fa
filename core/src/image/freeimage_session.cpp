#include "freeimage_session.h"

#include <dlfcn.h>
#include <mutex>
#include <type_traits>

namespace nimbus::image {
namespace {
std::mutex gMutex;
int gUsers = 0;
bool gInitialised = false;

void SilenceFreeImage(FREE_IMAGE_FORMAT, const char*) {}

// The library stays loaded once found: its functions may be in use on another thread.
const FreeImageApi* LoadLibrary()
{
    static const FreeImageApi* const api = []() -> const FreeImageApi* {
        void* library = nullptr;
        for (const char* name : {"libfreeimage.so.3", "libfreeimage.so", KESTREL_FREEIMAGE_LIBRARY})
            if ((library = dlopen(name, RTLD_NOW | RTLD_LOCAL)) != nullptr)
                break;
        if (!library)
            return nullptr;
        static FreeImageApi table;
        bool complete = true;
        const auto bind = [library, &complete](auto& function, const char* symbol) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, symbol));
            complete = complete && function;
        };
        bind(table.Initialise, "FreeImage_Initialise");
        bind(table.DeInitialise, "FreeImage_DeInitialise");
        bind(table.SetOutputMessage, "FreeImage_SetOutputMessage");
        bind(table.FIFSupportsReading, "FreeImage_FIFSupportsReading");
        bind(table.OpenMemory, "FreeImage_OpenMemory");
        bind(table.CloseMemory, "FreeImage_CloseMemory");
        bind(table.LoadFromMemory, "FreeImage_LoadFromMemory");
        bind(table.Unload, "FreeImage_Unload");
        bind(table.HasPixels, "FreeImage_HasPixels");
        bind(table.GetImageType, "FreeImage_GetImageType");
        bind(table.GetWidth, "FreeImage_GetWidth");
        bind(table.GetHeight, "FreeImage_GetHeight");
        bind(table.GetBPP, "FreeImage_GetBPP");
        bind(table.GetColorType, "FreeImage_GetColorType");
        bind(table.GetPalette, "FreeImage_GetPalette");
        bind(table.GetColorsUsed, "FreeImage_GetColorsUsed");
        bind(table.IsTransparent, "FreeImage_IsTransparent");
        bind(table.GetTransparentIndex, "FreeImage_GetTransparentIndex");
        bind(table.GetScanLine, "FreeImage_GetScanLine");
        return complete ? &table : nullptr;
    }();
    return api;
}
} // namespace

void AcquireFreeImage()
{
    std::lock_guard<std::mutex> lock(gMutex);
    ++gUsers;
}

void ReleaseFreeImage()
{
    std::lock_guard<std::mutex> lock(gMutex);
    if (gUsers > 0 && --gUsers == 0 && gInitialised) {
        LoadLibrary()->DeInitialise();
        gInitialised = false;
    }
}

const FreeImageApi* UseFreeImage()
{
    std::lock_guard<std::mutex> lock(gMutex);
    const FreeImageApi* api = LoadLibrary();
    if (api && !gInitialised) {
        api->Initialise(FALSE);
        api->SetOutputMessage(SilenceFreeImage);
        gInitialised = true;
    }
    return api;
}

} // namespace nimbus::image
