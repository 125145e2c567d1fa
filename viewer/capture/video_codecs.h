#pragma once
// The video encoders offered for recording, and the option chosen for one recording.

#include <string>
#include <vector>

namespace kestrel::capture {

struct VideoCodec {
    std::string id;    // the encoder's name: "mjpeg", "mpeg4", "ffv1", "libx264", ...
    std::string label; // what the codec dialog shows
    enum class Setting { None, Quality, BitRate } setting = Setting::None;
    // Quality runs from worst to best (1-100); a bit rate is in kbit/s.
    int minimum = 0, maximum = 0, defaultValue = 0;
};

// The encoders of this machine that an AVI file can hold (none when the encoder module cannot
// be loaded), in a fixed order: Motion JPEG,
// MPEG-4 Part 2, FFV1, H.264 when an encoder is present, HuffYUV, then uncompressed BGR.
std::vector<VideoCodec> AvailableVideoCodecs();

struct VideoOptions {
    std::string codecId = "mjpeg";
    int value = -1; // -1: the codec's default
};

// The offered codec with this id, or nothing when this machine does not have it.
bool FindVideoCodec(const std::string& id, VideoCodec& codec);

// The codec of the list with this id, or nothing.
inline bool FindVideoCodecIn(const std::vector<VideoCodec>& codecs, const std::string& id, VideoCodec& codec)
{
    for (const VideoCodec& c : codecs) {
        if (c.id == id) {
            codec = c;
            return true;
        }
    }
    return false;
}

// The option's value for the codec: its default for -1, else clamped into its range.
inline int EffectiveSettingValue(const VideoCodec& codec, int value)
{
    if (codec.setting == VideoCodec::Setting::None)
        return 0;
    if (value < 0)
        return codec.defaultValue;
    return value < codec.minimum ? codec.minimum : value > codec.maximum ? codec.maximum : value;
}

} // namespace kestrel::capture
