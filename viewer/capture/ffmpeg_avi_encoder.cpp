#include "avi_encoder.h"
#include "ffmpeg_video_codecs.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <type_traits>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace kestrel::capture {
namespace {

namespace fs = std::filesystem;

constexpr char kNotInMp4[] = " An MP4 file cannot hold this compressor's video.";

bool IsMp4Name(const std::string& path)
{
    std::string extension = fs::path(path).extension().string();
    for (char& c : extension)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".mp4";
}

constexpr char kEngineFailed[] = "AVI Engine failed to initialize. Check filename %s.";
constexpr char kNoHandler[] =
    "According to the registry, the type of file specified in AVIFileOpen does not have a handler to process it";
constexpr char kNoMemoryToOpen[] = "The file could not be opened because of insufficient memory.";
constexpr char kOpenDiskError[] = "A disk error occurred while opening the file.";
constexpr char kStreamFailed[] = "AVI Stream creation failed. Check Bitmap info.";
constexpr char kReadOnly[] = " Read only file.";
constexpr char kCompressedStreamFailed[] = "AVI Compressed Stream creation failed.";
constexpr char kNoCompressor[] = " A suitable compressor cannot be found.";
constexpr char kNoMemory[] = " There is not enough memory to complete the operation.";
constexpr char kUnsupported[] = " Compression is not supported for this type of data. This error might be returned "
                                "if you try to compress data that is not audio or video.";
constexpr char kFormatFailed[] = "AVI Compressed Stream format setting failed.";
constexpr char kFrameFailed[] = "AVI frame writing failed.";
constexpr char kFinishFailed[] = "AVI file finishing failed.";
constexpr char kSaveFailed[] = "AVI file could not be saved as %s.";
constexpr char kNotOpen[] = "No AVI file is open.";

constexpr int kLargestSide = 16384;
constexpr int kLargestRateTerm = 65535; // MPEG-4 time bases allow no larger terms
constexpr double kFastestRate = 1000.0;
constexpr int kLongestKeyFrameGap = 300;
constexpr int kBytesPerPixel = 3;
constexpr int kDibRowAlignment = 4;
constexpr double kBestQScale = 2.0, kWorstQScale = 31.0;
constexpr double kBestCrf = 1.0, kWorstCrf = 51.0; // crf 0 would switch x264 to a lossless profile
constexpr int kBitsPerKbit = 1000;
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kUsualUmask = 022;

std::string WithName(const char* text, const std::string& name)
{
    std::string s = text;
    const size_t at = s.find("%s");
    if (at != std::string::npos)
        s.replace(at, 2, name);
    return s;
}

std::string EngineError(const std::string& path, const char* reason)
{
    return WithName(kEngineFailed, path) + " " + reason;
}

bool IsReadOnlyError(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

// Not writable for us, or marked read-only for everyone: even an administrator's recording
// does not replace such a file or write into such a folder.
bool IsReadOnly(const std::string& path, const struct stat& info)
{
    constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
    return ::access(path.c_str(), W_OK) != 0 || (info.st_mode & kAnyWrite) == 0;
}

// Where quality runs 1 (worst) to 100 (best): the matching point of [worst, best].
double Interpolate(const VideoCodec& codec, int value, double worst, double best)
{
    const double span = std::max(1, codec.maximum - codec.minimum);
    return worst + (best - worst) * double(value - codec.minimum) / span;
}

// Lossless encoders keep the picture's RGB; lossy ones get their first (most widely
// played) format, usually 4:2:0.
AVPixelFormat ChoosePixelFormat(const AVCodec* encoder)
{
    if (encoder->id == AV_CODEC_ID_RAWVIDEO)
        return AV_PIX_FMT_BGR24;
    if (!encoder->pix_fmts)
        return AV_PIX_FMT_NONE;
    const AVCodecDescriptor* d = avcodec_descriptor_get(encoder->id);
    const bool lossless = d && (d->props & AV_CODEC_PROP_LOSSLESS) && !(d->props & AV_CODEC_PROP_LOSSY);
    if (lossless)
        return avcodec_find_best_pix_fmt_of_list(encoder->pix_fmts, AV_PIX_FMT_BGR24, 0, nullptr);
    return encoder->pix_fmts[0];
}

void ApplySetting(AVCodecContext* c, const VideoCodec& offered, int value)
{
    switch (offered.setting) {
    case VideoCodec::Setting::None:
        break;
    case VideoCodec::Setting::Quality:
        if (av_opt_find(c->priv_data, "crf", nullptr, 0, 0)) {
            av_opt_set_double(c->priv_data, "crf", Interpolate(offered, value, kWorstCrf, kBestCrf), 0);
        } else {
            c->flags |= AV_CODEC_FLAG_QSCALE;
            c->global_quality = int(std::lround(FF_QP2LAMBDA * Interpolate(offered, value, kWorstQScale, kBestQScale)));
        }
        break;
    case VideoCodec::Setting::BitRate:
        c->bit_rate = int64_t(value) * kBitsPerKbit;
        break;
    }
}

int PadToEven(int n) { return n + (n & 1); }

struct FullRangeFormat {
    AVPixelFormat format;
    bool fullRange;
};

// The scaler warns about the JPEG "J" formats: it gets their plain twin with full range,
// which lays out the same bytes.
FullRangeFormat ScalerTarget(AVPixelFormat pixels)
{
    switch (pixels) {
    case AV_PIX_FMT_YUVJ420P: return {AV_PIX_FMT_YUV420P, true};
    case AV_PIX_FMT_YUVJ422P: return {AV_PIX_FMT_YUV422P, true};
    case AV_PIX_FMT_YUVJ444P: return {AV_PIX_FMT_YUV444P, true};
    case AV_PIX_FMT_YUVJ440P: return {AV_PIX_FMT_YUV440P, true};
    case AV_PIX_FMT_YUVJ411P: return {AV_PIX_FMT_YUV411P, true};
    default: return {pixels, false};
    }
}

// Read rather than set and restored, which would race with other threads creating files.
mode_t ProcessUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    constexpr char kField[] = "Umask:";
    while (std::getline(status, line))
        if (line.rfind(kField, 0) == 0)
            return mode_t(std::strtoul(line.c_str() + sizeof(kField) - 1, nullptr, 8) & 0777);
    return kUsualUmask;
}

} // namespace

// The writer of the encoder module: FFmpeg's AVI and MP4 muxers and its encoders.
class CFfmpegAviEncoder final : public IAviEncoder {
public:
    CFfmpegAviEncoder();
    ~CFfmpegAviEncoder() override;
    bool Open(const std::string& path, int width, int height, double fps, const VideoOptions& options) override;
    bool WriteFrame(const uint8_t* bgrBottomUp) override;
    bool Close() override;
    void Abandon() override;
    int FramesWritten() const override { return framesWritten_; }
    bool IsOpen() const override;
    const std::string& LastError() const override { return lastError_; }
    int EncodedWidth() const override;
    int EncodedHeight() const override;

private:
    struct Encoding;
    std::unique_ptr<Encoding> encoding_;
    int framesWritten_ = 0;
    std::string lastError_;
};

struct CFfmpegAviEncoder::Encoding {
    std::string target, temporary;
    int width = 0, height = 0;           // as given
    int codedWidth = 0, codedHeight = 0; // as stored
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    SwsContext* scaler = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    bool raw = false;    // frames go to the file as bottom-up bitmap rows, not through an encoder
    bool failed = false; // a frame could not be written: the file is not worth keeping
    std::vector<uint8_t> rows;

    ~Encoding()
    {
        sws_freeContext(scaler);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        if (format) {
            if (format->pb)
                avio_closep(&format->pb);
            avformat_free_context(format);
        }
        if (!temporary.empty()) {
            std::error_code ec;
            fs::remove(temporary, ec);
        }
    }

    // Moves the encoder's finished packets into the file.
    bool Drain()
    {
        for (;;) {
            const int rc = avcodec_receive_packet(codec, packet);
            if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
                return true;
            if (rc < 0 || !Store())
                return false;
        }
    }

    bool Store()
    {
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        return av_interleaved_write_frame(format, packet) >= 0;
    }
};

CFfmpegAviEncoder::CFfmpegAviEncoder() = default;

CFfmpegAviEncoder::~CFfmpegAviEncoder()
{
    if (IsOpen())
        Close();
}

bool CFfmpegAviEncoder::IsOpen() const { return encoding_ != nullptr; }
int CFfmpegAviEncoder::EncodedWidth() const { return encoding_ ? encoding_->codedWidth : 0; }
int CFfmpegAviEncoder::EncodedHeight() const { return encoding_ ? encoding_->codedHeight : 0; }

bool CFfmpegAviEncoder::Open(const std::string& path, int width, int height, double fps, const VideoOptions& options)
{
    if (IsOpen())
        Close();
    // Encoders chat on standard error at FFmpeg's default level (cpu features, statistics);
    // keep warnings, unless the program chose a level itself.
    if (av_log_get_level() == AV_LOG_INFO)
        av_log_set_level(AV_LOG_WARNING);
    lastError_.clear();
    framesWritten_ = 0;
    auto e = std::make_unique<Encoding>();
    e->target = path;
    e->width = width;
    e->height = height;
    auto fail = [this](std::string text) {
        lastError_ = std::move(text);
        return false;
    };

    // The file.
    // An ".mp4" name asks for an MP4 file, which players on every device take; AVI otherwise.
    const bool mp4 = IsMp4Name(path);
    int rc = avformat_alloc_output_context2(&e->format, nullptr, mp4 ? "mp4" : "avi", path.c_str());
    if (rc < 0 || !e->format)
        return fail(EngineError(path, rc == AVERROR(ENOMEM) ? kNoMemoryToOpen : kNoHandler));
    std::error_code ec;
    const fs::path target(path);
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    if (path.empty() || target.filename().empty() || fs::is_directory(target, ec) || !fs::is_directory(folder, ec))
        return fail(EngineError(path, kOpenDiskError));
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    struct stat folderInfo {};
    if ((exists && IsReadOnly(path, existing)) ||
        (::stat(folder.c_str(), &folderInfo) == 0 && IsReadOnly(folder.string(), folderInfo)))
        return fail(std::string(kStreamFailed) + kReadOnly);

    // Hidden beside the target, so the rename is atomic and the file list shows no half file.
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        const int error = errno;
        if (IsReadOnlyError(error))
            return fail(std::string(kStreamFailed) + kReadOnly);
        return fail(EngineError(path, error == ENOMEM ? kNoMemoryToOpen : kOpenDiskError));
    }
    e->temporary = pattern;
    // mkstemp makes the file private; the video gets what a new file or the replaced one has.
    ::fchmod(fd, exists ? existing.st_mode & 07777 : kNewFileMode & ~ProcessUmask());
    ::close(fd);

    // The stream.
    const AVRational rate = av_d2q(fps, kLargestRateTerm);
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide || !std::isfinite(fps) || fps <= 0 ||
        fps > kFastestRate || rate.num <= 0 || rate.den <= 0)
        return fail(kStreamFailed);
    e->stream = avformat_new_stream(e->format, nullptr);
    if (!e->stream)
        return fail(kStreamFailed);

    // The encoder.
    VideoCodec offered;
    const AVCodec* encoder =
        FindFfmpegVideoCodec(options.codecId, offered) ? avcodec_find_encoder_by_name(offered.id.c_str()) : nullptr;
    if (!encoder)
        return fail(std::string(kCompressedStreamFailed) + kNoCompressor);
    if (mp4 && avformat_query_codec(e->format->oformat, encoder->id, FF_COMPLIANCE_NORMAL) != 1)
        return fail(std::string(kCompressedStreamFailed) + kNotInMp4);
    const AVPixelFormat pixels = ChoosePixelFormat(encoder);
    const AVPixFmtDescriptor* layout = av_pix_fmt_desc_get(pixels);
    if (!layout)
        return fail(std::string(kCompressedStreamFailed) + kUnsupported);
    const int value = EffectiveSettingValue(offered, options.value);
    const bool globalHeader = e->format->oformat->flags & AVFMT_GLOBALHEADER;
    auto openEncoder = [&](int codedWidth, int codedHeight) {
        e->codec = avcodec_alloc_context3(encoder);
        if (!e->codec)
            return AVERROR(ENOMEM);
        AVCodecContext* c = e->codec;
        c->width = codedWidth;
        c->height = codedHeight;
        c->pix_fmt = pixels;
        c->sample_aspect_ratio = AVRational{1, 1};
        c->time_base = AVRational{rate.den, rate.num};
        c->framerate = rate;
        c->max_b_frames = 0; // AVI keeps frames in decoding order only
        c->gop_size = std::clamp(int(std::lround(fps)), 1, kLongestKeyFrameGap);
        if (globalHeader)
            c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        ApplySetting(c, offered, value);
        e->codedWidth = codedWidth;
        e->codedHeight = codedHeight;
        return avcodec_open2(c, encoder, nullptr);
    };
    // With halved colour planes, odd sizes are refused (x264) or get a smeared last column
    // (mjpeg, mpeg4): grow to even and repeat the edge.
    rc = openEncoder(layout->log2_chroma_w ? PadToEven(width) : width,
                     layout->log2_chroma_h ? PadToEven(height) : height);
    if (rc < 0)
        return fail(std::string(kCompressedStreamFailed) + (rc == AVERROR(ENOMEM) ? kNoMemory : kUnsupported));

    // The stream's format and the file's header.
    if (avcodec_parameters_from_context(e->stream->codecpar, e->codec) < 0)
        return fail(kFormatFailed);
    e->stream->time_base = e->codec->time_base;
    e->stream->avg_frame_rate = rate;
    if (encoder->id == AV_CODEC_ID_RAWVIDEO &&
        av_opt_set_int(e->format->priv_data, "flipped_raw_rgb", 1, 0) >= 0) {
        // Stored as a Windows bitmap: bottom row first, rows padded to 4 bytes.
        e->raw = true;
        e->stream->codecpar->codec_tag = 0;
        e->stream->codecpar->bits_per_coded_sample = 24;
    }
    rc = avio_open(&e->format->pb, e->temporary.c_str(), AVIO_FLAG_WRITE);
    if (rc < 0) {
        if (IsReadOnlyError(AVUNERROR(rc)))
            return fail(std::string(kStreamFailed) + kReadOnly);
        return fail(EngineError(path, kOpenDiskError));
    }
    if (avformat_write_header(e->format, nullptr) < 0)
        return fail(kFormatFailed);

    e->packet = av_packet_alloc();
    if (!e->packet)
        return fail(std::string(kCompressedStreamFailed) + kNoMemory);
    if (!e->raw) {
        const FullRangeFormat target = ScalerTarget(pixels);
        e->scaler = sws_getContext(e->codedWidth, e->codedHeight, AV_PIX_FMT_BGR24, e->codedWidth, e->codedHeight,
                                   target.format, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr,
                                   nullptr, nullptr);
        if (!e->scaler)
            return fail(kFormatFailed);
        if (target.fullRange) {
            const int* coefficients = sws_getCoefficients(SWS_CS_DEFAULT);
            sws_setColorspaceDetails(e->scaler, coefficients, 1, coefficients, 1, 0, 1 << 16, 1 << 16);
        }
        e->frame = av_frame_alloc();
        if (!e->frame)
            return fail(std::string(kCompressedStreamFailed) + kNoMemory);
        e->frame->format = pixels;
        e->frame->width = e->codedWidth;
        e->frame->height = e->codedHeight;
        if (av_frame_get_buffer(e->frame, 0) < 0)
            return fail(std::string(kCompressedStreamFailed) + kNoMemory);
        e->rows.resize(size_t(e->codedWidth) * e->codedHeight * kBytesPerPixel);
    }
    encoding_ = std::move(e);
    return true;
}

bool CFfmpegAviEncoder::WriteFrame(const uint8_t* bgrBottomUp)
{
    if (!encoding_) {
        lastError_ = kNotOpen;
        return false;
    }
    Encoding& e = *encoding_;
    if (e.failed || !bgrBottomUp) {
        e.failed = true;
        lastError_ = kFrameFailed;
        return false;
    }
    const size_t inRow = size_t(e.width) * kBytesPerPixel;
    bool ok = false;
    if (e.raw) {
        const size_t outRow = (inRow + kDibRowAlignment - 1) / kDibRowAlignment * kDibRowAlignment;
        if (av_new_packet(e.packet, int(outRow * e.height)) >= 0) {
            for (int y = 0; y < e.height; ++y) {
                uint8_t* out = e.packet->data + outRow * y;
                std::memcpy(out, bgrBottomUp + inRow * y, inRow);
                std::memset(out + inRow, 0, outRow - inRow);
            }
            e.packet->pts = e.packet->dts = framesWritten_;
            e.packet->duration = 1;
            e.packet->flags |= AV_PKT_FLAG_KEY;
            ok = e.Store();
        }
    } else {
        // Top row first for the encoder; padding repeats the last column and row.
        const size_t codedRow = size_t(e.codedWidth) * kBytesPerPixel;
        for (int y = 0; y < e.codedHeight; ++y) {
            const uint8_t* in = bgrBottomUp + inRow * (e.height - 1 - std::min(y, e.height - 1));
            uint8_t* out = e.rows.data() + codedRow * y;
            std::memcpy(out, in, inRow);
            for (int x = e.width; x < e.codedWidth; ++x)
                std::memcpy(out + size_t(x) * kBytesPerPixel, in + inRow - kBytesPerPixel, kBytesPerPixel);
        }
        const uint8_t* planes[1] = {e.rows.data()};
        const int strides[1] = {int(codedRow)};
        ok = av_frame_make_writable(e.frame) >= 0 &&
             sws_scale(e.scaler, planes, strides, 0, e.codedHeight, e.frame->data, e.frame->linesize) ==
                 e.codedHeight;
        if (ok) {
            e.frame->pts = framesWritten_;
            e.frame->quality = e.codec->global_quality; // fixed-quality encoders read it per frame
            ok = avcodec_send_frame(e.codec, e.frame) >= 0 && e.Drain();
        }
    }
    if (!ok) {
        e.failed = true;
        lastError_ = kFrameFailed;
        return false;
    }
    ++framesWritten_;
    return true;
}

bool CFfmpegAviEncoder::Close()
{
    if (!encoding_) {
        lastError_ = kNotOpen;
        return false;
    }
    const std::unique_ptr<Encoding> e = std::move(encoding_);
    if (e->failed)
        return false; // keeps the frame's error; the temporary file goes with e
    bool ok = e->raw || (avcodec_send_frame(e->codec, nullptr) >= 0 && e->Drain());
    ok = ok && av_write_trailer(e->format) >= 0;
    ok = avio_closep(&e->format->pb) >= 0 && ok;
    if (!ok) {
        lastError_ = kFinishFailed;
        return false;
    }
    std::error_code ec;
    fs::rename(e->temporary, e->target, ec);
    if (ec) {
        lastError_ = WithName(kSaveFailed, e->target);
        return false;
    }
    e->temporary.clear();
    return true;
}

void CFfmpegAviEncoder::Abandon() { encoding_.reset(); }

} // namespace kestrel::capture

extern "C" __attribute__((visibility("default"))) kestrel::capture::IAviEncoder* KestrelNewAviEncoder()
{
    static_assert(std::is_same_v<decltype(&KestrelNewAviEncoder), kestrel::capture::NewAviEncoderEntry>);
    return new kestrel::capture::CFfmpegAviEncoder();
}
