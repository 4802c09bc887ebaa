#include "app/video/frame_converter.hpp"

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/pixdesc.h>
}

#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

#include "tests/app/test_picture.hpp"

namespace sledway::app {
namespace {

using test::Picture;

// {r, g, b} of a pixel: neighbours differ a lot, so that each block's colour is known only from
// all four of its pixels.
std::vector<int> Colour(int x, int y, int seed) {
  return {(x * 5 + x % 2 * 120 + seed) % 256, (y * 7 + y % 2 * 90 + seed * 3) % 256,
          (x * 3 + y * 2 + (x + y) % 2 * 70 + seed * 11) % 256};
}

// Paints rows [top, top + rows) with colours made from `seed`.
void Paint(Picture& picture, int top, int rows, int seed) {
  for (int y = top; y < top + rows; ++y) {
    for (int x = 0; x < picture.Width(); ++x) picture.Set(x, y, Colour(x, y, seed));
  }
}

std::vector<std::uint8_t> Plane(const AVFrame& frame, int plane, int width, int height) {
  std::vector<std::uint8_t> bytes;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = frame.data[plane] + y * frame.linesize[plane];
    bytes.insert(bytes.end(), row, row + width);
  }
  return bytes;
}

// BT.601 in the video range, from the colour's definition.
double Luma(const std::vector<double>& rgb) {
  return 16.0 + 219.0 * (0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2]) / 255.0;
}
double BlueDifference(const std::vector<double>& rgb) {
  return 128.0 + 224.0 * (-0.168736 * rgb[0] - 0.331264 * rgb[1] + 0.5 * rgb[2]) / 255.0;
}
double RedDifference(const std::vector<double>& rgb) {
  return 128.0 + 224.0 * (0.5 * rgb[0] - 0.418688 * rgb[1] - 0.081312 * rgb[2]) / 255.0;
}

// 70 rows: four whole bands of 16 and a short one of 6 at the bottom.
constexpr int kWidth = 48;
constexpr int kHeight = 70;

TEST(FrameConverterTest, FourTwoZeroColourIsEachPixelsLumaAndEachBlocksAveragedColour) {
  for (const bool bottomUp : {false, true}) {
    SCOPED_TRACE(bottomUp ? "bottom up" : "top down");
    Picture picture(kWidth, kHeight, PixelOrder::kRgb, bottomUp);
    Paint(picture, 0, kHeight, 1);
    FrameConverter converter(AV_PIX_FMT_YUV420P, kWidth, kHeight);
    const AVFrame& frame = converter.Convert(picture.Pixels());
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const std::vector<int> rgb = Colour(x, y, 1);
        ASSERT_NEAR(frame.data[0][y * frame.linesize[0] + x],
                    Luma({double(rgb[0]), double(rgb[1]), double(rgb[2])}), 1.0)
            << x << ", " << y;
      }
    }
    for (int y = 0; y < kHeight / 2; ++y) {
      for (int x = 0; x < kWidth / 2; ++x) {
        std::vector<double> mean(3, 0.0);
        for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
          const std::vector<int> rgb = Colour(2 * x + dx, 2 * y + dy, 1);
          for (int c = 0; c < 3; ++c) mean[static_cast<std::size_t>(c)] += rgb[c] / 4.0;
        }
        ASSERT_NEAR(frame.data[1][y * frame.linesize[1] + x], BlueDifference(mean), 1.5)
            << x << ", " << y;
        ASSERT_NEAR(frame.data[2][y * frame.linesize[2] + x], RedDifference(mean), 1.5)
            << x << ", " << y;
      }
    }
  }
}

// The converter skips the bands that did not change; what it makes must still be what a
// converter seeing the picture for the first time makes of it.
TEST(FrameConverterTest, EachFrameIsThePictureWhicheverRowsChanged) {
  struct Case {
    AVPixelFormat format;
    int width, height;
    std::vector<int> planeWidths, planeHeights;
  };
  for (const Case& c : {Case{AV_PIX_FMT_YUV420P,
                             kWidth,
                             kHeight,
                             {kWidth, kWidth / 2, kWidth / 2},
                             {kHeight, kHeight / 2, kHeight / 2}},
                        Case{AV_PIX_FMT_RGB32, 41, 33, {41 * 4}, {33}}}) {
    SCOPED_TRACE(av_get_pix_fmt_name(c.format));
    FrameConverter converter(c.format, c.width, c.height);
    Picture rgb(c.width, c.height, PixelOrder::kRgb, true);
    Picture bgra(c.width, c.height, PixelOrder::kBgra, false);
    Paint(rgb, 0, c.height, 0);
    Paint(bgra, 0, c.height, 0);
    // Unchanged; one row inside a band; the last row; across two bands; the same picture in
    // another pixel order; then one row of that.
    const struct Step {
      int top, rows, seed;
      bool bgraNow;
    } steps[] = {{0, 0, 0, false},   {20, 1, 1, false},      {c.height - 1, 1, 2, false},
                 {10, 12, 3, false}, {0, c.height, 3, true}, {31, 1, 4, true}};
    for (const Step& step : steps) {
      SCOPED_TRACE(step.top);
      Picture& picture = step.bgraNow ? bgra : rgb;
      if (step.rows > 0) {
        Paint(rgb, step.top, step.rows, step.seed);
        Paint(bgra, step.top, step.rows, step.seed);
      }
      const AVFrame& frame = converter.Convert(picture.Pixels());
      FrameConverter fresh(c.format, c.width, c.height);
      const AVFrame& expected = fresh.Convert(picture.Pixels());
      for (std::size_t plane = 0; plane < c.planeWidths.size(); ++plane) {
        EXPECT_EQ(
            Plane(frame, static_cast<int>(plane), c.planeWidths[plane], c.planeHeights[plane]),
            Plane(expected, static_cast<int>(plane), c.planeWidths[plane], c.planeHeights[plane]))
            << "plane " << plane;
      }
    }
  }
}

TEST(FrameConverterTest, APictureSmallerThanTheFrameIsRefused) {
  FrameConverter converter(AV_PIX_FMT_YUV420P, kWidth, kHeight);
  Picture small(kWidth, kHeight - 2, PixelOrder::kRgb, false);
  EXPECT_THROW(converter.Convert(small.Pixels()), std::invalid_argument);
}

}  // namespace
}  // namespace sledway::app
