#include "tests/app/video_reader.hpp"

#include <algorithm>
#include <stdexcept>

#include "app/video/ffmpeg_handles.hpp"

namespace sledway::app::test {
namespace {

struct InputFree {
  void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};

}  // namespace

DecodedVideo DecodeVideo(const std::filesystem::path& file,
                         const std::function<void(const std::vector<std::uint8_t>&)>& eachPicture) {
  AVFormatContext* opened = nullptr;
  Check(avformat_open_input(&opened, file.c_str(), nullptr, nullptr), "cannot open the video");
  const std::unique_ptr<AVFormatContext, InputFree> input(opened);
  Check(avformat_find_stream_info(input.get(), nullptr), "cannot read the video");
  const AVCodec* codec = nullptr;
  const int stream = Check(av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0),
                           "no video stream");
  CodecContextPtr decoder(avcodec_alloc_context3(codec));
  Check(avcodec_parameters_to_context(decoder.get(), input->streams[stream]->codecpar),
        "cannot read the stream");
  Check(avcodec_open2(decoder.get(), codec, nullptr), "cannot open the decoder");

  DecodedVideo video;
  video.codec = codec->name;
  video.fps = av_q2d(input->streams[stream]->avg_frame_rate);
  FramePtr frame(av_frame_alloc());
  PacketPtr packet(av_packet_alloc());
  ScaleContextPtr scaler;
  const auto keep = [&](std::vector<std::uint8_t>& picture) {
    video.width = frame->width;
    video.height = frame->height;
    scaler.reset(sws_getContext(
        frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), frame->width,
        frame->height, AV_PIX_FMT_RGB24,
        // As a player shows it: 4:2:0 colour interpolated between its samples.
        SWS_BILINEAR | SWS_FULL_CHR_H_INT | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
    // The scaler writes whole vectors past a row's end: it gets a padded frame of its own.
    const FramePtr rgb = AllocateFrame(AV_PIX_FMT_RGB24, frame->width, frame->height);
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, rgb->data,
              rgb->linesize);
    const std::size_t row = static_cast<std::size_t>(frame->width) * 3;
    picture.resize(row * static_cast<std::size_t>(frame->height));
    for (int y = 0; y < frame->height; ++y) {
      std::copy_n(rgb->data[0] + static_cast<std::ptrdiff_t>(y) * rgb->linesize[0], row,
                  picture.begin() + static_cast<std::ptrdiff_t>(row) * y);
    }
  };
  const auto receive = [&] {
    while (avcodec_receive_frame(decoder.get(), frame.get()) == 0) {
      keep(video.frames == 0 ? video.first : video.last);
      if (eachPicture) eachPicture(video.frames == 0 ? video.first : video.last);
      ++video.frames;
      av_frame_unref(frame.get());
    }
  };
  while (av_read_frame(input.get(), packet.get()) >= 0) {
    if (packet->stream_index == stream) {
      Check(avcodec_send_packet(decoder.get(), packet.get()), "cannot decode the video");
    }
    av_packet_unref(packet.get());
    receive();
  }
  avcodec_send_packet(decoder.get(), nullptr);
  receive();
  if (video.frames == 1) video.last = video.first;
  return video;
}

}  // namespace sledway::app::test
