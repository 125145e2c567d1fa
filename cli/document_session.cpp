#include "document_session.h"

#include <cstdio>

#include <filesystem>

#include "offscreen/headless_gl.h"

namespace kestrel::cli {

DocumentSession::DocumentSession(const std::string& plugInFolder, const std::string& path) : path_(path)
{
    plugIns_.ScanImportersFor(plugInFolder.empty() ? host::CPlugInManager::DefaultFolder() : plugInFolder, path);
}

bool DocumentSession::AcquireGl(int width, int height)
{
    if (!gl_)
        gl_ = offscreen::HeadlessGl::Acquire(width, height, &glError_);
    return gl_ != nullptr;
}

doc::OpenOutcome DocumentSession::Open()
{
    // Without a context a model's textures are only read, which is all that counting needs.
    if (gl_)
        gl_->MakeCurrent();
    // The document owns GL objects, so it is made while the context, if any, is current.
    if (!doc_)
        doc_ = std::make_unique<doc::Document>();
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path_, ec).string();
    return doc::OpenDocument(ec ? path_ : absolute, plugIns_, *doc_);
}

bool DocumentSession::OpenForDrawing(int width, int height, doc::OpenOutcome& outcome)
{
    if (!AcquireGl(width, height)) {
        std::fprintf(stderr, "No off-screen OpenGL context: %s\n", glError_.c_str());
        return false;
    }
    outcome = Open();
    if (!outcome.ok) {
        std::fprintf(stderr, "%s\n", outcome.status.c_str());
        return false;
    }
    return true;
}

} // namespace kestrel::cli
