#include "app/video/video_encoder.hpp"

#include <stdexcept>
#include <string>

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

AVPixelFormat PixelFormatOf(PixelOrder order) {
  switch (order) {
    case PixelOrder::kRgb:
      return AV_PIX_FMT_RGB24;
    case PixelOrder::kBgr:
      return AV_PIX_FMT_BGR24;
    case PixelOrder::kRgba:
      return AV_PIX_FMT_RGBA;
    case PixelOrder::kBgra:
      return AV_PIX_FMT_BGRA;
  }
  return AV_PIX_FMT_NONE;
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
      converted_ = AllocateFrame(AV_PIX_FMT_RGB32, width_, height_);
      palette_ = std::make_unique<GifPalette>(DirectoryOf(file), width_, height_, fps_);
    } else {
      converted_ = AllocateFrame(StreamWriter::PixelFormatOf(format_), width_, height_);
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
  if (picture.width < width_ || picture.height < height_) {
    throw std::invalid_argument("a picture of " + std::to_string(picture.width) + "x" +
                                std::to_string(picture.height) + " for a video of " +
                                std::to_string(width_) + "x" + std::to_string(height_));
  }
  if (!scaler_ || scalerOrder_ != picture.order) {
    // Same size in and out: the scaler only reorders and converts colour, cropping an odd side.
    scaler_.reset(sws_getContext(width_, height_, PixelFormatOf(picture.order), width_, height_,
                                 static_cast<AVPixelFormat>(converted_->format), SWS_BILINEAR,
                                 nullptr, nullptr, nullptr));
    if (!scaler_) throw std::runtime_error("cannot convert the pictures for the video");
    scalerOrder_ = picture.order;
  }
  try {
    MakeWritable(*converted_);
    const std::uint8_t* const rows[4] = {picture.top, nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(picture.rowStride), 0, 0, 0};
    Check(
        sws_scale(scaler_.get(), rows, strides, 0, height_, converted_->data, converted_->linesize),
        "cannot convert the pictures for the video");
    converted_->pts = frames_;
    if (palette_) {
      palette_->Add(*converted_);
    } else {
      writer_->Write(*converted_);
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
