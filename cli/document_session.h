#pragma once
#include <memory>
#include <string>

#include "document.h"
#include "plugin_manager.h"

namespace kestrel::offscreen {
class HeadlessGl;
}

namespace kestrel::cli {

// What the command line needs to open one file as the viewer does: the importer for it
// and a document; commands that draw also ask for the off-screen GL context.
class DocumentSession {
public:
    // Loads the plug-ins of the folder (the default one when empty) up to the importer that
    // serves path's extension, as the viewer would choose it.
    DocumentSession(const std::string& plugInFolder, const std::string& path);

    // Makes the off-screen context with a width x height target; call before Open, so that
    // a model's textures are made in it. False with GlError() when none.
    bool AcquireGl(int width, int height);
    const std::string& GlError() const { return glError_; }
    offscreen::HeadlessGl* Gl() { return gl_; }

    doc::OpenOutcome Open();
    // For commands that draw: the context of that size, then the file; on failure the
    // reason goes to standard error and the result is false.
    bool OpenForDrawing(int width, int height, doc::OpenOutcome& outcome);
    doc::Document& Document() { return *doc_; }

private:
    std::string path_;
    host::CPlugInManager plugIns_;
    offscreen::HeadlessGl* gl_ = nullptr;
    std::string glError_;
    std::unique_ptr<doc::Document> doc_;
};

} // namespace kestrel::cli
