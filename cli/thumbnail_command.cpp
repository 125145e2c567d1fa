#include "thumbnail_command.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "document_session.h"
#include "offscreen/headless_gl.h"
#include "nimbus/texture.h"
#include "output_target.h"
#include "thumbnail.h"

namespace kestrel::cli {
namespace {

// The picture as a 24-bit texture, bottom row first, saved as PNG.
bool SavePicture(const thumbnail::Picture& image, const std::string& path)
{
    if (image.IsNull())
        return false;
    CTexture picture;
    picture.mWidth = uint32_t(image.width);
    picture.mHeight = uint32_t(image.height);
    picture.mBpp = 24;
    picture.InitPixelData();
    for (int y = 0; y < image.height; ++y) {
        uint8_t* to = picture.mData.data() + size_t(image.height - 1 - y) * picture.mWidth * 3;
        for (int x = 0; x < image.width; ++x, to += 3) {
            const uint32_t p = image.At(x, y);
            to[0] = thumbnail::RedOf(p);
            to[1] = thumbnail::GreenOf(p);
            to[2] = thumbnail::BlueOf(p);
        }
    }
    return picture.SaveToFile(path.c_str(), SK_TEX_PNG);
}

// The sanitizers reserve terabytes of address space, so the memory cap stays off there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kCapAddressSpace = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kCapAddressSpace = false;
#else
constexpr bool kCapAddressSpace = true;
#endif
#else
constexpr bool kCapAddressSpace = true;
#endif

void EnterBudget()
{
    alarm(kThumbnailSeconds); // SIGALRM's default action ends the process
    if (!kCapAddressSpace)
        return;
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > kThumbnailAddressSpace)) {
        limit.rlim_cur = rlim_t(kThumbnailAddressSpace);
        setrlimit(RLIMIT_AS, &limit);
    }
}

} // namespace

std::string ThumbnailInputRefusal(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return "Cannot read " + path + ": " + std::strerror(errno);
    if (!S_ISREG(info.st_mode))
        return path + " is not a regular file";
    if (uint64_t(info.st_size) > kMaxThumbnailInputBytes)
        return path + " is larger than " + std::to_string(kMaxThumbnailInputBytes >> 20) + " MiB";
    return std::string();
}

int ThumbnailCommand(const ThumbnailOptions& o)
{
    const std::string refused = ThumbnailInputRefusal(o.input);
    if (!refused.empty()) {
        std::fprintf(stderr, "%s\n", refused.c_str());
        return 1;
    }
    EnterBudget();
    std::error_code ec;
    const std::string output = std::filesystem::absolute(o.output, ec).string();
    // No context yet: an image or an empty document needs none. A model's textures are
    // read without one and made once the context that draws them exists.
    DocumentSession session(o.plugInFolder, o.input);
    const doc::OpenOutcome outcome = session.Open();
    if (!outcome.ok) {
        std::fprintf(stderr, "%s\n", outcome.status.c_str());
        return 1;
    }
    if (session.Document().viewMode == doc::kModel) {
        const thumbnail::Size size = thumbnail::ModelPictureSize(o.width, o.height);
        if (session.AcquireGl(size.width, size.height)) {
            session.Gl()->MakeCurrent();
            doc::UploadDocument(session.Document());
        }
    }
    std::string glError;
    const thumbnail::Picture picture = thumbnail::RenderThumbnail(session.Document(), o.width, o.height, &glError);
    if (picture.IsNull()) {
        std::fprintf(stderr, "No off-screen OpenGL context: %s\n", glError.c_str());
        return 1;
    }
    const std::string target = ec ? o.output : output;
    const std::string refusal = WriteRefusalFor(target);
    if (!refusal.empty() || !SavePicture(picture, target)) {
        ReportWriteFailure("Cannot write " + o.output, refusal);
        return 1;
    }
    return 0;
}

} // namespace kestrel::cli
