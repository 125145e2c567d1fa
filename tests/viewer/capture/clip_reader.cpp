#include "clip_reader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace kestrel::test {

// Reads a whole clip back through FFmpeg's demuxer and decoder.
Clip ReadClip(const std::string& path)
{
    Clip clip;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0)
        return clip;
    const int index = avformat_find_stream_info(format, nullptr) >= 0
                          ? av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0)
                          : -1;
    if (index < 0) {
        avformat_close_input(&format);
        return clip;
    }
    const AVStream* stream = format->streams[index];
    clip.opened = true;
    clip.container = format->iformat->name;
    clip.width = stream->codecpar->width;
    clip.height = stream->codecpar->height;
    clip.frameRate = stream->avg_frame_rate;
    clip.headerFrames = stream->nb_frames;
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    AVCodecContext* codec = avcodec_alloc_context3(decoder);
    avcodec_parameters_to_context(codec, stream->codecpar);
    avcodec_open2(codec, decoder, nullptr);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    SwsContext* scaler = nullptr;
    auto take = [&] {
        while (avcodec_receive_frame(codec, frame) >= 0) {
            scaler = sws_getCachedContext(scaler, frame->width, frame->height, AVPixelFormat(frame->format),
                                          frame->width, frame->height, AV_PIX_FMT_BGR24,
                                          SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr,
                                          nullptr);
            std::vector<uint8_t> bgr(size_t(frame->width) * frame->height * 3);
            uint8_t* planes[1] = {bgr.data()};
            const int strides[1] = {frame->width * 3};
            sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
            clip.frames.push_back(std::move(bgr));
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == index && avcodec_send_packet(codec, packet) >= 0)
            take();
        av_packet_unref(packet);
    }
    avcodec_send_packet(codec, nullptr);
    take();
    sws_freeContext(scaler);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
    return clip;
}

} // namespace kestrel::test
