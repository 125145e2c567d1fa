#pragma once
// A plug-in module loaded as the host loads it, and one plug-in object made by it.

#include <dlfcn.h>

#include "plugframe/plugin.h"

namespace kestrel::test {

class Library {
public:
    explicit Library(const char* path) : handle_(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}
    ~Library()
    {
        if (handle_)
            dlclose(handle_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    bool Loaded() const { return handle_ != nullptr; }
    template <class F> F Symbol(const char* name) const { return reinterpret_cast<F>(dlsym(handle_, name)); }

private:
    void* handle_;
};

class PlugIn {
public:
    explicit PlugIn(const Library& library)
        : destroy_(library.Symbol<PlugInDestroyFunction>(PLUGIN_DESTROY_EXPORT_NAME)),
          object_(library.Symbol<PlugInCreateFunction>(PLUGIN_CREATE_EXPORT_NAME)())
    {
    }
    ~PlugIn() { destroy_(object_); }
    PlugIn(const PlugIn&) = delete;
    PlugIn& operator=(const PlugIn&) = delete;
    CPlugIn* operator->() const { return object_; }

private:
    PlugInDestroyFunction destroy_;
    CPlugIn* object_;
};

} // namespace kestrel::test
