#pragma once
#include <memory>
#include <string>

#include "document.h"
#include "plugin_manager.h"

namespace kestrel::offscreen {
class HeadlessGl;
}

namespace kestrel::cli {

// What the command line needs to open a file as the viewer does: the plug-ins, an
// off-screen GL context (textures are uploaded while a model is finalized) and a document.
class DocumentSession {
public:
    // width and height size the off-screen picture.
    DocumentSession(const std::string& plugInFolder, int width, int height);

    bool HasGl() const { return gl_ != nullptr; }
    const std::string& GlError() const { return glError_; }
    offscreen::HeadlessGl* Gl() { return gl_; }

    doc::OpenOutcome Open(const std::string& path);
    doc::Document& Document() { return *doc_; }

private:
    host::CPlugInManager plugIns_;
    offscreen::HeadlessGl* gl_ = nullptr;
    std::string glError_;
    std::unique_ptr<doc::Document> doc_;
};

} // namespace kestrel::cli
