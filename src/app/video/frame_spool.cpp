#include "app/video/frame_spool.hpp"

extern "C" {
#include <libavutil/opt.h>
}

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace sledway::app {
namespace {

[[noreturn]] void FailToWrite(int error) {
  throw std::runtime_error(std::string("cannot set frames aside for the second pass: ") +
                           std::strerror(error));
}

}  // namespace

FrameSpool::FrameSpool(const char* directory, AVPixelFormat format, int width, int height)
    : packet_(av_packet_alloc()) {
  if (!packet_) throw std::runtime_error("out of memory for a video packet");
  std::string pattern = std::string(directory) + "/.sledway-frames.XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) FailToWrite(errno);
  // Unlinked at once: the file lives only as long as it is open.
  ::unlink(name.data());
  file_ = ::fdopen(fd, "w+b");
  if (!file_) {
    const int error = errno;
    ::close(fd);
    FailToWrite(error);
  }

  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_FFV1);
  if (!codec) throw std::runtime_error("FFmpeg has no FFV1 encoder");
  encoder_.reset(avcodec_alloc_context3(codec));
  if (!encoder_) throw std::runtime_error("out of memory for a video encoder");
  encoder_->width = width;
  encoder_->height = height;
  encoder_->pix_fmt = format;
  encoder_->time_base = AVRational{1, 25};
  // Every frame stands alone and carries its own header, so the packets need no container.
  encoder_->gop_size = 1;
  // Slices let the encoder use both cores.
  encoder_->thread_count = 2;
  av_opt_set_int(encoder_->priv_data, "slices", 4, 0);
  av_opt_set_int(encoder_->priv_data, "level", 3, 0);
  Check(avcodec_open2(encoder_.get(), codec, nullptr), "cannot open the FFV1 encoder");
}

FrameSpool::~FrameSpool() {
  if (file_) std::fclose(file_);
}

void FrameSpool::Append(const AVFrame& frame) {
  Check(avcodec_send_frame(encoder_.get(), &frame), "cannot compress a frame");
  Drain();
}

void FrameSpool::Drain() {
  for (;;) {
    const int received = avcodec_receive_packet(encoder_.get(), packet_.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
    Check(received, "cannot compress a frame");
    Store(*packet_);
    av_packet_unref(packet_.get());
  }
}

void FrameSpool::Store(const AVPacket& packet) {
  const std::uint32_t size = static_cast<std::uint32_t>(packet.size);
  if (std::fwrite(&size, sizeof size, 1, file_) != 1 ||
      std::fwrite(packet.data, 1, size, file_) != size) {
    FailToWrite(errno);
  }
}

bool FrameSpool::Load(AVPacket& packet) {
  std::uint32_t size = 0;
  if (std::fread(&size, sizeof size, 1, file_) != 1) return false;
  Check(av_new_packet(&packet, static_cast<int>(size)), "cannot read a frame back");
  if (std::fread(packet.data, 1, size, file_) != size) {
    throw std::runtime_error("cannot read a frame back: the file set aside is short");
  }
  return true;
}

void FrameSpool::Replay(const std::function<void(AVFrame&)>& each) {
  Check(avcodec_send_frame(encoder_.get(), nullptr), "cannot compress a frame");
  Drain();
  if (std::fflush(file_) != 0) FailToWrite(errno);
  std::rewind(file_);

  const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_FFV1);
  if (!codec) throw std::runtime_error("FFmpeg has no FFV1 decoder");
  CodecContextPtr decoder(avcodec_alloc_context3(codec));
  if (!decoder) throw std::runtime_error("out of memory for a video decoder");
  decoder->width = encoder_->width;
  decoder->height = encoder_->height;
  decoder->pix_fmt = encoder_->pix_fmt;
  decoder->thread_count = 2;
  if (encoder_->extradata_size > 0) {
    decoder->extradata = static_cast<std::uint8_t*>(av_mallocz(
        static_cast<std::size_t>(encoder_->extradata_size) + AV_INPUT_BUFFER_PADDING_SIZE));
    if (!decoder->extradata) throw std::runtime_error("out of memory for a video decoder");
    std::memcpy(decoder->extradata, encoder_->extradata,
                static_cast<std::size_t>(encoder_->extradata_size));
    decoder->extradata_size = encoder_->extradata_size;
  }
  Check(avcodec_open2(decoder.get(), codec, nullptr), "cannot open the FFV1 decoder");

  FramePtr frame(av_frame_alloc());
  if (!frame) throw std::runtime_error("out of memory for a video frame");
  const auto receive = [&] {
    for (;;) {
      const int received = avcodec_receive_frame(decoder.get(), frame.get());
      if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
      Check(received, "cannot read a frame back");
      each(*frame);
      av_frame_unref(frame.get());
    }
  };
  while (Load(*packet_)) {
    Check(avcodec_send_packet(decoder.get(), packet_.get()), "cannot read a frame back");
    av_packet_unref(packet_.get());
    receive();
  }
  Check(avcodec_send_packet(decoder.get(), nullptr), "cannot read a frame back");
  receive();
}

}  // namespace sledway::app
