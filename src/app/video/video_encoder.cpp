#include "app/video/video_encoder.hpp"

#include <stdexcept>
#include <string>

#include "app/video/frame_converter.hpp"
#include "app/video/gif_palette.hpp"
#include "app/video/stream_writer.hpp"

namespace sledway::app {
namespace {

VideoFormat FormatOf(const std::filesystem::path& file) {
  const std::optional<VideoFormat> format = VideoFormatOf(file);
  if (!format) {
    throw std::invalid_argument("'" + file.string() +
                                "' is not a video file name: its name ends in " +
                                KnownVideoExtensions());
  }
  return *format;
}

int CheckedSide(int side) {
  if (side < 16 || side > 8192) {
    throw std::invalid_argument("a video's sides are 16 to 8192 pixels, not " +
                                std::to_string(side));
  }
  return side;
}

int CheckedRate(VideoFormat format, int fps) {
  if (fps < 1 || fps > MaxFramesPerSecond(format)) {
    throw std::invalid_argument("this video shows 1 to " +
                                std::to_string(MaxFramesPerSecond(format)) +
                                " frames per second, not " + std::to_string(fps));
  }
  return fps;
}

// The side a format encodes: 4:2:0 colour needs even sides.
int EncodedSide(VideoFormat format, int side) {
  return format == VideoFormat::kGif ? side : side & ~1;
}

std::string DirectoryOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path().string() : std::string(".");
}

}  // namespace

VideoEncoder::VideoEncoder(const std::filesystem::path& file, int width, int height, int fps)
    : format_(FormatOf(file)),
      width_(EncodedSide(format_, CheckedSide(width))),
      height_(EncodedSide(format_, CheckedSide(height))),
      fps_(CheckedRate(format_, fps)),
      target_(file),
      file_(file) {
  try {
    // A GIF's frames are made into RGB for the palette; the writer comes at the end.
    if (format_ == VideoFormat::kGif) {
      converter_ = std::make_unique<FrameConverter>(AV_PIX_FMT_RGB32, width_, height_);
      palette_ = std::make_unique<GifPalette>(DirectoryOf(file), width_, height_, fps_);
    } else {
      converter_ =
          std::make_unique<FrameConverter>(StreamWriter::PixelFormatOf(format_), width_, height_);
      writer_ =
          std::make_unique<StreamWriter>(file_.TemporaryPath(), format_, width_, height_, fps_);
    }
  } catch (const std::runtime_error& error) {
    Fail(error);
  }
}

void VideoEncoder::Fail(const std::runtime_error& error) {
  file_.Abandon();
  throw std::runtime_error("cannot write '" + target_.string() + "': " + error.what());
}

VideoEncoder::~VideoEncoder() = default;

void VideoEncoder::Encoded() {
  ++encoded_;
  if (progress_) progress_(encoded_);
}

void VideoEncoder::Add(const PicturePixels& picture) {
  if (!writer_ && !palette_) throw std::logic_error("the video is finished");
  try {
    // A picture smaller than the video is refused (std::invalid_argument), the video kept.
    AVFrame& converted = converter_->Convert(picture);
    converted.pts = frames_;
    if (palette_) {
      palette_->Add(converted);
    } else {
      writer_->Write(converted);
    }
  } catch (const std::runtime_error& error) {
    Fail(error);
  }
  ++frames_;
  Encoded();
}

void VideoEncoder::Finish() {
  if (!writer_ && !palette_) throw std::logic_error("the video is finished");
  if (frames_ == 0) Fail(std::runtime_error("a video needs at least one frame"));
  try {
    if (palette_) {
      writer_ =
          std::make_unique<StreamWriter>(file_.TemporaryPath(), format_, width_, height_, fps_);
      palette_->WriteTo(*writer_, [this] { Encoded(); });
    }
    writer_->Finish();
    // The temporary file is renamed only once the encoder let go of it.
    writer_.reset();
    palette_.reset();
  } catch (const std::runtime_error& error) {
    Fail(error);
  }
  file_.Commit();
}

}  // namespace sledway::app
