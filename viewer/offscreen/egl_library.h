#pragma once
#include <EGL/egl.h>
#include <string>

namespace kestrel::offscreen {

// The EGL calls the off-screen context makes, from libEGL opened the first time a picture is
// drawn: the programs start without it, and a command that draws nothing never maps it.
struct EglLibrary {
    PFNEGLGETPROCADDRESSPROC getProcAddress = nullptr;
    PFNEGLQUERYSTRINGPROC queryString = nullptr;
    PFNEGLINITIALIZEPROC initialize = nullptr;
    PFNEGLBINDAPIPROC bindApi = nullptr;
    PFNEGLCHOOSECONFIGPROC chooseConfig = nullptr;
    PFNEGLCREATECONTEXTPROC createContext = nullptr;
    PFNEGLMAKECURRENTPROC makeCurrent = nullptr;
};

// Null, with the reason in *error, when libEGL or one of its calls is missing.
const EglLibrary* LoadEglLibrary(std::string* error);

} // namespace kestrel::offscreen
