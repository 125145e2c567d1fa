#include "document_session.h"

#include <filesystem>

#include "offscreen/headless_gl.h"

namespace kestrel::cli {

DocumentSession::DocumentSession(const std::string& plugInFolder, int width, int height)
{
    gl_ = offscreen::HeadlessGl::Acquire(width, height, &glError_);
    plugIns_.Scan(plugInFolder.empty() ? host::CPlugInManager::DefaultFolder() : plugInFolder);
    // The document owns GL objects, so it is made while the context is current.
    doc_ = std::make_unique<doc::Document>();
}

doc::OpenOutcome DocumentSession::Open(const std::string& path)
{
    if (gl_)
        gl_->MakeCurrent();
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path, ec).string();
    return doc::OpenDocument(ec ? path : absolute, plugIns_, *doc_);
}

} // namespace kestrel::cli
