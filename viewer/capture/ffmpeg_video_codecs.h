#pragma once
// Inside the encoder module: the encoders of this machine an AVI file can hold (see
// AvailableVideoCodecs).

#include <string>
#include <vector>

#include "video_codecs.h"

namespace kestrel::capture {

std::vector<VideoCodec> FfmpegVideoCodecs();
bool FindFfmpegVideoCodec(const std::string& id, VideoCodec& codec);

} // namespace kestrel::capture
