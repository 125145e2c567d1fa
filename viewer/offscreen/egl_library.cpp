#include "egl_library.h"

#include <dlfcn.h>

#include <mutex>

namespace kestrel::offscreen {
namespace {

constexpr const char* kEglLibraryName = "libEGL.so.1";

template <class Entry>
bool Bind(void* library, const char* name, Entry& entry)
{
    entry = reinterpret_cast<Entry>(dlsym(library, name));
    return entry != nullptr;
}

} // namespace

const EglLibrary* LoadEglLibrary(std::string* error)
{
    static std::once_flag once;
    static EglLibrary egl;
    static bool loaded = false;
    static std::string failure;
    std::call_once(once, [] {
        // Never closed: the driver stays with the context to the end of the process.
        void* library = dlopen(kEglLibraryName, RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            const char* why = dlerror();
            failure = why ? why : kEglLibraryName;
            return;
        }
        loaded = Bind(library, "eglGetProcAddress", egl.getProcAddress) &&
                 Bind(library, "eglQueryString", egl.queryString) && Bind(library, "eglInitialize", egl.initialize) &&
                 Bind(library, "eglBindAPI", egl.bindApi) && Bind(library, "eglChooseConfig", egl.chooseConfig) &&
                 Bind(library, "eglCreateContext", egl.createContext) &&
                 Bind(library, "eglMakeCurrent", egl.makeCurrent);
        if (!loaded)
            failure = std::string(kEglLibraryName) + " lacks a call the off-screen context needs";
    });
    if (!loaded && error)
        *error = failure;
    return loaded ? &egl : nullptr;
}

} // namespace kestrel::offscreen
