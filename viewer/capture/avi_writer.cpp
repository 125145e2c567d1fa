#include "avi_writer.h"

#include "avi_encoder.h"

namespace kestrel::capture {
namespace {
// What the encoder says too, for a writer that never opened one.
constexpr char kNotOpen[] = "No AVI file is open.";
} // namespace

CAviWriter::CAviWriter() = default;

CAviWriter::~CAviWriter()
{
    if (IsOpen())
        Close();
}

bool CAviWriter::Open(const std::string& path, int width, int height, double fps, const VideoOptions& options)
{
    if (!encoder_) {
        std::string why;
        const VideoEncoderModule* module = LoadVideoEncoderModule(&why);
        encoder_.reset(module ? module->newAviEncoder() : nullptr);
        if (!encoder_) {
            lastError_ = "The video encoders are not available: " + why;
            return false;
        }
    }
    return encoder_->Open(path, width, height, fps, options);
}

bool CAviWriter::WriteFrame(const uint8_t* bgrBottomUp)
{
    if (encoder_)
        return encoder_->WriteFrame(bgrBottomUp);
    lastError_ = kNotOpen;
    return false;
}

bool CAviWriter::Close()
{
    if (encoder_)
        return encoder_->Close();
    lastError_ = kNotOpen;
    return false;
}

void CAviWriter::Abandon()
{
    if (encoder_)
        encoder_->Abandon();
}

int CAviWriter::FramesWritten() const { return encoder_ ? encoder_->FramesWritten() : 0; }
bool CAviWriter::IsOpen() const { return encoder_ && encoder_->IsOpen(); }
const std::string& CAviWriter::LastError() const { return encoder_ ? encoder_->LastError() : lastError_; }
int CAviWriter::EncodedWidth() const { return encoder_ ? encoder_->EncodedWidth() : 0; }
int CAviWriter::EncodedHeight() const { return encoder_ ? encoder_->EncodedHeight() : 0; }

} // namespace kestrel::capture
