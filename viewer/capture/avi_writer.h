#pragma once
// Writes an AVI video frame by frame through FFmpeg (in the encoder module, loaded on the
// first Open; see avi_encoder.h), with no widget. The file is built
// under a temporary name beside the target and renamed into place on Close, so a failed
// or cancelled recording never replaces a good file.

#include "video_codecs.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kestrel::capture {

class IAviEncoder;

class CAviWriter {
public:
    CAviWriter();
    ~CAviWriter(); // finishes the file when still open
    CAviWriter(const CAviWriter&) = delete;
    CAviWriter& operator=(const CAviWriter&) = delete;

    // A stream of width x height at fps frames per second (kept as an exact fraction, so
    // 29.97 stays 29.97) with the chosen codec. Encoders that store colour at half
    // resolution get sizes padded to even numbers by repeating the last column or row.
    // False with LastError() set when the file or the encoder cannot be set up.
    bool Open(const std::string& path, int width, int height, double fps, const VideoOptions& options);

    // One frame: bottom row first, blue-green-red bytes, width * 3 bytes a row, no padding.
    bool WriteFrame(const uint8_t* bgrBottomUp);

    // Flushes the encoder, finishes the file and renames it into place. After a failed
    // WriteFrame the file is dropped instead and the earlier error kept.
    bool Close();

    // Drops the file: nothing is left on disk.
    void Abandon();

    int FramesWritten() const;
    bool IsOpen() const;
    const std::string& LastError() const;

    // The size as stored, after padding for the encoder.
    int EncodedWidth() const;
    int EncodedHeight() const;

private:
    std::unique_ptr<IAviEncoder> encoder_;
    std::string lastError_; // when the encoder module cannot be loaded
};

} // namespace kestrel::capture
