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
    for (const VideoCodec& c : AvailableVideoCodecs()) {
        if (c.id == id) {
            codec = c;
            return true;
        }
    }
    return false;
}

} // namespace kestrel::capture
