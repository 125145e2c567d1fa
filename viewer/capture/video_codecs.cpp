#include "video_codecs.h"

#include <algorithm>

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

std::vector<VideoCodec> AvailableVideoCodecs()
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

bool FindVideoCodec(const std::string& id, VideoCodec& codec)
{
    for (const VideoCodec& c : AvailableVideoCodecs()) {
        if (c.id == id) {
            codec = c;
            return true;
        }
    }
    return false;
}

int EffectiveSettingValue(const VideoCodec& codec, int value)
{
    if (codec.setting == VideoCodec::Setting::None)
        return 0;
    if (value < 0)
        return codec.defaultValue;
    return std::clamp(value, codec.minimum, codec.maximum);
}

} // namespace kestrel::capture
