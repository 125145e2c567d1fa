#include "document_session.h"

#include <filesystem>
#include <fstream>

#include "kxm3_format.h"
#include "nimbus/model.h"
#include "offscreen/headless_gl.h"

namespace kestrel::cli {
namespace {

// The size of the context made only because a model's textures must be uploaded.
constexpr int kUploadOnlySize = 64;

// Finalize uploads textures, and the GL library fails without a current context there.
bool HasTextureFiles(const CModel& model)
{
    for (const CMaterial& m : model.mMaterials)
        if (m.mDiffuseTex.mFileName[0] != 0)
            return true;
    return false;
}

// A native file is finalized by the document itself, so it gets its context beforehand.
bool StartsAsNative(const std::string& path)
{
    // Only regular files: opening a pipe would wait for a writer.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    uint8_t header[kxm3::kHeaderSize] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(header), sizeof(header));
    return in.gcount() == std::streamsize(sizeof(header)) && kxm3::IsNativeHeader(header, sizeof(header));
}

} // namespace

DocumentSession::DocumentSession(const std::string& plugInFolder, const std::string& path) : path_(path)
{
    plugIns_.ScanImportersFor(plugInFolder.empty() ? host::CPlugInManager::DefaultFolder() : plugInFolder, path);
    plugIns_.SetBeforeFinalize([this](CModel& model) {
        if (HasTextureFiles(model) && AcquireGl(kUploadOnlySize, kUploadOnlySize))
            gl_->MakeCurrent();
    });
}

bool DocumentSession::AcquireGl(int width, int height)
{
    if (!gl_)
        gl_ = offscreen::HeadlessGl::Acquire(width, height, &glError_);
    return gl_ != nullptr;
}

doc::OpenOutcome DocumentSession::Open()
{
    if (!gl_ && StartsAsNative(path_))
        AcquireGl(kUploadOnlySize, kUploadOnlySize);
    if (gl_)
        gl_->MakeCurrent();
    // The document owns GL objects, so it is made while the context, if any, is current.
    if (!doc_)
        doc_ = std::make_unique<doc::Document>();
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path_, ec).string();
    return doc::OpenDocument(ec ? path_ : absolute, plugIns_, *doc_);
}

} // namespace kestrel::cli
