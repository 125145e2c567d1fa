#include "document.h"

#include <atomic>
#include <cstdio>
#include <filesystem>

#include "content_sniffer.h"
#include "image_drawing.h"
#include "nimbus/timer.h"
#include "plugin_manager.h"

namespace kestrel::doc {
namespace {

OpenOutcome Failure(const char* text, Severity severity)
{
    OpenOutcome o;
    o.status = text;
    o.severity = severity;
    return o;
}

OpenOutcome ModelLoaded(Document& doc, CTimer& timer)
{
    doc.viewMode = kModel;
    doc.stats = doc.model.GetModelStats();
    char text[64];
    std::snprintf(text, sizeof(text), "Model loaded in %.3f seconds", double(timer.GetTime()));
    OpenOutcome o;
    o.ok = true;
    o.status = text;
    return o;
}

// The type a file is imported as: its extension when that names a registered type (the
// native one included, so a damaged ".kxm3" stays refused), else what its content shows.
std::string ImportType(const std::string& path, const host::CPlugInManager& plugIns)
{
    const std::string named = host::CPlugInManager::ExtensionOf(path);
    if (plugIns.IsRegistered(named))
        return named;
    const std::string found = SniffFile(path);
    return found.empty() ? named : found;
}

OpenOutcome ImageLoaded(Document& doc)
{
    doc.viewMode = kImage;
    doc.imageSerial = NewImageSerial();
    scene::BuildAlphaBackdrop(doc.image, doc.backdrop);
    char text[96];
    std::snprintf(text, sizeof(text), "Dimensions: %ux%u  Color Depth: %u bpp", doc.image.mWidth, doc.image.mHeight,
                  unsigned(doc.image.mBpp));
    OpenOutcome o;
    o.ok = true;
    o.status = text;
    return o;
}

} // namespace

uint64_t NewImageSerial()
{
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

void ResetDocument(Document& doc)
{
    doc.imageSerial = NewImageSerial();
    doc.model.Unload();
    doc.stats = doc.model.GetModelStats();
    doc.image.Clear();
    doc.backdrop.Clear();
    doc.viewMode = kEmpty;
}

void UploadDocument(Document& doc)
{
    if (doc.viewMode == kModel)
        doc.model.ReloadTextures(false);
}

OpenOutcome OpenDocument(const std::string& path, host::CPlugInManager& plugIns, Document& doc)
{
    CTimer timer;
    ResetDocument(doc);
    const CDocModel::LoadStatus native = doc.model.LoadNative(path);
    if (native == CDocModel::LoadStatus::Unreadable)
        return Failure("Unable to load file!", kError);
    // Before the folder changes: a relative path is read from where it was given.
    const std::string importType = native == CDocModel::LoadStatus::Foreign ? ImportType(path, plugIns) : std::string();

    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(path, ec).parent_path();
    if (!ec)
        std::filesystem::current_path(folder, ec);

    if (native == CDocModel::LoadStatus::Foreign) {
        switch (plugIns.Import(path, importType, doc.model, doc.image)) {
        case host::kResultException: return Failure("Unexpected error occured!", kUnexpected);
        case host::kResultModel: return ModelLoaded(doc, timer);
        case host::kResultImage: return ImageLoaded(doc);
        default: return Failure("Invalid or unsupported file!", kError);
        }
    }
    // A native file whose content is unusable is reported, not shown as an empty scene.
    if (native == CDocModel::LoadStatus::NativeEmptied) {
        doc.model.Unload();
        return Failure("Unable to load file!", kError);
    }
    if (!doc.model.Finalize(true, true, 1.0f)) {
        doc.model.Unload();
        doc.stats = doc.model.GetModelStats();
        return Failure("KXM3 Model finalization failed!", kUnexpected);
    }
    OpenOutcome o = ModelLoaded(doc, timer);
    o.damaged = native == CDocModel::LoadStatus::NativeDamaged;
    return o;
}

} // namespace kestrel::doc
