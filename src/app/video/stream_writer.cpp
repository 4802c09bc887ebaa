#include "app/video/stream_writer.hpp"

extern "C" {
#include <libavutil/opt.h>
}

#include <stdexcept>

namespace sledway::app {
namespace {

const AVCodec* EncoderFor(VideoFormat format) {
  switch (format) {
    case VideoFormat::kMp4:
      return avcodec_find_encoder_by_name("libx264");
    case VideoFormat::kWebm:
      return avcodec_find_encoder_by_name("libvpx-vp9");
    case VideoFormat::kGif:
      return avcodec_find_encoder(AV_CODEC_ID_GIF);
  }
  return nullptr;
}

const char* ContainerOf(VideoFormat format) {
  switch (format) {
    case VideoFormat::kMp4:
      return "mp4";
    case VideoFormat::kWebm:
      return "webm";
    case VideoFormat::kGif:
      return "gif";
  }
  return "";
}

// Settings that keep encoding a small share of a run's time: a CAD view changes little from
// one frame to the next, so the fast presets lose little.
void Tune(VideoFormat format, AVCodecContext& encoder) {
  switch (format) {
    case VideoFormat::kMp4:
      av_opt_set(encoder.priv_data, "preset", "ultrafast", 0);
      av_opt_set(encoder.priv_data, "tune", "zerolatency", 0);
      // A constant quantiser rather than a constant rate factor: the rate factor's control
      // first estimates every frame's cost on a half-size copy of it, a third of x264's time
      // here, for pictures that hardly change. At 18 the frames come out as close to the
      // pictures as at a rate factor of 23, in a file of about the same size.
      av_opt_set(encoder.priv_data, "qp", "18", 0);
      // One thread: with the low-latency tune x264 splits each frame into slices, one per
      // core, and at the ultrafast preset handing them out costs more CPU than it saves.
      encoder.thread_count = 1;
      break;
    case VideoFormat::kWebm:
      // Constant quality: VP9 reads crf only with no bit rate set.
      encoder.bit_rate = 0;
      av_opt_set(encoder.priv_data, "crf", "33", 0);
      av_opt_set(encoder.priv_data, "deadline", "realtime", 0);
      av_opt_set(encoder.priv_data, "cpu-used", "8", 0);
      av_opt_set(encoder.priv_data, "row-mt", "1", 0);
      break;
    case VideoFormat::kGif:
      break;
  }
}

}  // namespace

AVPixelFormat StreamWriter::PixelFormatOf(VideoFormat format) {
  return format == VideoFormat::kGif ? AV_PIX_FMT_PAL8 : AV_PIX_FMT_YUV420P;
}

StreamWriter::StreamWriter(const std::string& file, VideoFormat format, int width, int height,
                           int fps)
    : packet_(av_packet_alloc()) {
  if (!packet_) throw std::runtime_error("out of memory for a video packet");
  const AVCodec* codec = EncoderFor(format);
  if (!codec)
    throw std::runtime_error("FFmpeg has no encoder for " + std::string(ContainerOf(format)));
  // The "file:" protocol takes the name as it stands, colons and all.
  const std::string url = "file:" + file;
  Check(avformat_alloc_output_context2(&container_, nullptr, ContainerOf(format), url.c_str()),
        "cannot make a " + std::string(ContainerOf(format)) + " container");
  encoder_.reset(avcodec_alloc_context3(codec));
  if (!encoder_) throw std::runtime_error("out of memory for a video encoder");
  encoder_->width = width;
  encoder_->height = height;
  encoder_->pix_fmt = PixelFormatOf(format);
  encoder_->time_base = AVRational{1, fps};
  encoder_->framerate = AVRational{fps, 1};
  encoder_->sample_aspect_ratio = AVRational{1, 1};
  if (format != VideoFormat::kGif) {
    // What the scaler makes of the view's RGB: BT.601 in the video range.
    encoder_->color_range = AVCOL_RANGE_MPEG;
    encoder_->colorspace = AVCOL_SPC_SMPTE170M;
    encoder_->color_primaries = AVCOL_PRI_SMPTE170M;
    encoder_->color_trc = AVCOL_TRC_SMPTE170M;
    encoder_->gop_size = 10 * fps;
  }
  if (container_->oformat->flags & AVFMT_GLOBALHEADER) {
    encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  }
  Tune(format, *encoder_);
  // FFmpeg's encoders talk to standard error about what they do; only their errors belong there.
  av_log_set_level(AV_LOG_ERROR);
  Check(avcodec_open2(encoder_.get(), codec, nullptr), "cannot open the video encoder");
  stream_ = avformat_new_stream(container_, nullptr);
  if (!stream_) throw std::runtime_error("out of memory for a video stream");
  stream_->time_base = encoder_->time_base;
  Check(avcodec_parameters_from_context(stream_->codecpar, encoder_.get()),
        "cannot describe the video stream");
  const int opened = avio_open(&container_->pb, url.c_str(), AVIO_FLAG_WRITE);
  if (opened < 0) Fail(opened, "cannot open the file");
  AVDictionary* options = nullptr;
  // The index goes before the pictures, so a browser plays the file while it loads.
  if (format == VideoFormat::kMp4) av_dict_set(&options, "movflags", "+faststart", 0);
  const int header = avformat_write_header(container_, &options);
  av_dict_free(&options);
  if (header < 0) Fail(header, "the write failed");
}

StreamWriter::~StreamWriter() {
  if (container_) {
    avio_closep(&container_->pb);
    avformat_free_context(container_);
  }
}

void StreamWriter::Fail(int code, const std::string& what) {
  throw std::runtime_error(what + ": " + AvErrorText(code));
}

void StreamWriter::Write(AVFrame& frame) {
  frame.pts = frames_++;
  Encode(&frame);
}

void StreamWriter::Encode(AVFrame* frame) {
  const int sent = avcodec_send_frame(encoder_.get(), frame);
  if (sent < 0) Fail(sent, "cannot encode the video");
  for (;;) {
    const int received = avcodec_receive_packet(encoder_.get(), packet_.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
    if (received < 0) Fail(received, "cannot encode the video");
    // Every frame shows for 1/fps; without a duration MP4 would cut the last one short.
    if (packet_->duration == 0) packet_->duration = 1;
    av_packet_rescale_ts(packet_.get(), encoder_->time_base, stream_->time_base);
    packet_->stream_index = stream_->index;
    const int written = av_interleaved_write_frame(container_, packet_.get());
    // A full disk shows on the output's own error even when the muxer goes on buffering.
    if (written < 0) Fail(written, "the write failed");
    if (container_->pb->error < 0) Fail(container_->pb->error, "the write failed");
  }
}

void StreamWriter::Finish() {
  if (finished_) return;
  Encode(nullptr);
  const int trailer = av_write_trailer(container_);
  if (trailer < 0) Fail(trailer, "the write failed");
  avio_flush(container_->pb);
  if (container_->pb->error < 0) Fail(container_->pb->error, "the write failed");
  const int closed = avio_closep(&container_->pb);
  if (closed < 0) Fail(closed, "the write failed");
  finished_ = true;
}

}  // namespace sledway::app
