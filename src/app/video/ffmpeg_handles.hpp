#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <string>

namespace sledway::app {

// Owners of FFmpeg's objects, each freed by the library's own function.
struct FrameFree {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFree {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct CodecContextFree {
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FilterGraphFree {
  void operator()(AVFilterGraph* graph) const { avfilter_graph_free(&graph); }
};
struct ScaleContextFree {
  void operator()(SwsContext* context) const { sws_freeContext(context); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextFree>;
using FilterGraphPtr = std::unique_ptr<AVFilterGraph, FilterGraphFree>;
using ScaleContextPtr = std::unique_ptr<SwsContext, ScaleContextFree>;

// FFmpeg's text for an error code.
std::string AvErrorText(int code);
// Throws std::runtime_error with "`what`: FFmpeg's text" when `code` is negative; returns it.
int Check(int code, const std::string& what);

// A frame of `width` x `height` in `format` with its own buffers; throws when out of memory.
FramePtr AllocateFrame(AVPixelFormat format, int width, int height);
// A frame that the caller may write into, even if an encoder or a filter still holds the last
// picture it carried.
void MakeWritable(AVFrame& frame);

}  // namespace sledway::app
