#include "video_codecs.h"

#include "avi_encoder.h"

namespace kestrel::capture {

std::vector<VideoCodec> AvailableVideoCodecs()
{
    std::vector<VideoCodec> codecs;
    if (const VideoEncoderModule* module = LoadVideoEncoderModule())
        module->videoCodecs(&codecs);
    return codecs;
}

bool FindVideoCodec(const std::string& id, VideoCodec& codec)
{
    return FindVideoCodecIn(AvailableVideoCodecs(), id, codec);
}

} // namespace kestrel::capture
