#include "ffmpeg_video_codecs.h"

#include <type_traits>

#include "avi_encoder.h"


extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace kestrel::capture {
namespace {

constexpr int kWorstQuality = 1;
constexpr int kBestQuality = 100;

struct Candidate {
    const char* id;
    const char* label;
    VideoCodec::Setting setting;
    int defaultValue;
};

// One entry per choice offered; for H.264 the first encoder found is taken.
constexpr Candidate kCandidates[] = {
    {"mjpeg", "Motion JPEG", VideoCodec::Setting::Quality, 90},
    {"mpeg4", "MPEG-4 Part 2", VideoCodec::Setting::Quality, 85},
    {"ffv1", "FFV1 (lossless)", VideoCodec::Setting::None, 0},
    {"libx264", "H.264", VideoCodec::Setting::Quality, 70},
    {"libopenh264", "H.264", VideoCodec::Setting::BitRate, 4000},
    {"huffyuv", "HuffYUV (lossless)", VideoCodec::Setting::None, 0},
    {"rawvideo", "Uncompressed (BGR24)", VideoCodec::Setting::None, 0},
};

constexpr int kMinimumKbits = 100;
constexpr int kMaximumKbits = 100000;

bool AviTakes(const AVCodec* encoder)
{
    const AVOutputFormat* avi = av_guess_format("avi", nullptr, nullptr);
    return avi && encoder && encoder->type == AVMEDIA_TYPE_VIDEO &&
           avformat_query_codec(avi, encoder->id, FF_COMPLIANCE_NORMAL) == 1;
}

VideoCodec MakeCodec(const Candidate& c)
{
    VideoCodec codec;
    codec.id = c.id;
    codec.label = c.label;
    codec.setting = c.setting;
    if (c.setting == VideoCodec::Setting::Quality) {
        codec.minimum = kWorstQuality;
        codec.maximum = kBestQuality;
    } else if (c.setting == VideoCodec::Setting::BitRate) {
        codec.minimum = kMinimumKbits;
        codec.maximum = kMaximumKbits;
    }
    codec.defaultValue = c.defaultValue;
    return codec;
}

} // namespace

std::vector<VideoCodec> FfmpegVideoCodecs()
{
    std::vector<VideoCodec> codecs;
    bool haveH264 = false;
    for (const Candidate& c : kCandidates) {
        const AVCodec* encoder = avcodec_find_encoder_by_name(c.id);
        if (!AviTakes(encoder))
            continue;
        if (encoder->id == AV_CODEC_ID_H264) {
            if (haveH264)
                continue;
            haveH264 = true;
        }
        codecs.push_back(MakeCodec(c));
    }
    return codecs;
}

bool FindFfmpegVideoCodec(const std::string& id, VideoCodec& codec)
{
    return FindVideoCodecIn(FfmpegVideoCodecs(), id, codec);
}

} // namespace kestrel::capture

extern "C" __attribute__((visibility("default"))) void KestrelVideoCodecs(std::vector<kestrel::capture::VideoCodec>* out)
{
    static_assert(std::is_same_v<decltype(&KestrelVideoCodecs), kestrel::capture::VideoCodecsEntry>);
    if (out)
        *out = kestrel::capture::FfmpegVideoCodecs();
}
