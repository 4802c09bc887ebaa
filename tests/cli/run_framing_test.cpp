#include <Image_AlienPixMap.hxx>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "invocation.hpp"

// Under AddressSanitizer, leaks are not checked here: each run draws on an Xvfb of its own, and
// Mesa's driver, unloaded when that display closes, leaves memory behind in code without frame
// pointers that a suppression could name. Memory errors are still caught.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=0";
}

namespace sledway::cli {
namespace {

// A bar of 60 mm carried along a helix of radius 20 mm, far beyond the view of the assembly as
// it stands; the helix is a sketch of a part that the run hides, so only the bar is drawn.
constexpr const char* kBarOnHelix = R"({"units": "mm",
  "parts": [{"name": "bar", "box": {"length": 60, "width": 6, "height": 6},
             "workPoints": [{"name": "middle", "point": [30, 3, 3]}],
             "workAxes": [{"name": "along", "origin": [0, 3, 3], "direction": [1, 0, 0]}]},
            {"name": "holder", "sphere": {"radius": 1},
             "sketches3d": [{"name": "coil", "curves": [{"kind": "helix", "radius": 20,
               "pitch": 15, "turns": 1.5, "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1],
               "xDir": [1, 0, 0]}}]}]}],
  "components": [{"name": "bar:1", "part": "bar"}, {"name": "holder:1", "part": "holder"}],
  "run": {"path": "component:holder:1/sketch3d:coil/curve:1",
          "follow": "component:bar:1/workpoint:middle", "tangent": "component:bar:1/workaxis:along"}})";

class RunFramingTest : public test::WithDirectory {
 protected:
  // The pictures of a run of the bar, or of the lift sample, with this camera on a transparent
  // background.
  std::vector<Image_AlienPixMap> Frames(const std::string& camera, bool lift = false) {
    const std::string file = (directory_ / "bar.json").string();
    std::ofstream(file) << kBarOnHelix;
    const std::string frames = (directory_ / (camera + (lift ? "-lift" : ""))).string();
    const test::Invocation run = test::Sledway(
        {"run", lift ? "--example=lift" : file, "--roll", "minimal", "--steps", "12", "--frames",
         frames, "--size", "120x90", "--background", "transparent", "--camera", camera});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(test::Names(frames).size(), 13u);
    std::vector<Image_AlienPixMap> pictures(13);
    for (int i = 0; i < 13; ++i) {
      const std::string name = frames + "/frame-000" + (i < 9 ? "0" : "") + std::to_string(i + 1);
      EXPECT_TRUE(pictures[i].Load(TCollection_AsciiString((name + ".png").c_str()))) << name;
      EXPECT_EQ(std::to_string(pictures[i].SizeX()) + "x" + std::to_string(pictures[i].SizeY()),
                "120x90");
    }
    return pictures;
  }
};

// The smallest and largest column and row of the pixels drawn, which must be some and touch
// nothing of the picture's border.
std::vector<int> DrawnExtent(const Image_AlienPixMap& picture) {
  std::vector<int> extent{1 << 20, 1 << 20, -1, -1};
  for (int y = 0; y < static_cast<int>(picture.SizeY()); ++y) {
    for (int x = 0; x < static_cast<int>(picture.SizeX()); ++x) {
      const float alpha = picture.PixelColor(x, y).Alpha();
      if (alpha == 0.0f) continue;
      EXPECT_EQ(alpha, 1.0f) << "a body drawn opaque is opaque at " << x << "," << y;
      extent = {std::min(extent[0], x), std::min(extent[1], y), std::max(extent[2], x),
                std::max(extent[3], y)};
    }
  }
  EXPECT_TRUE(0 < extent[0] && extent[0] <= extent[2] && extent[2] < 119 && 0 < extent[1] &&
              extent[1] <= extent[3] && extent[3] < 89)
      << extent[0] << "," << extent[1] << " to " << extent[2] << "," << extent[3];
  return extent;
}

// Every camera holds the bar's whole travel on nothing but transparency; the follow camera keeps
// it in the middle (a box looks the same turned half round its centre, which the camera aims
// at). After "Position" the path is still shown; the run hides it.
TEST_F(RunFramingTest, EachCameraHoldsTheWholeTravelOnNothingButTransparency) {
  for (const std::string camera : {"iso", "front", "top", "right", "follow"}) {
    SCOPED_TRACE(camera);
    const std::vector<Image_AlienPixMap> pictures = Frames(camera);
    for (std::size_t i = camera == "follow" ? 1 : 0; i < pictures.size(); ++i) {
      const std::vector<int> extent = DrawnExtent(pictures[i]);
      // A fixed view shows the bar moving: consecutive pictures differ.
      if (camera != "follow") {
        EXPECT_TRUE(i == 0 || std::memcmp(pictures[i - 1].Data(), pictures[i].Data(),
                                          pictures[i].SizeBytes()) != 0)
            << i;
        continue;
      }
      EXPECT_NEAR((extent[0] + extent[2]) / 2.0, 59.5, 1.0);
      EXPECT_NEAR((extent[1] + extent[3]) / 2.0, 44.5, 1.0);
    }
  }
  // The lift's column grows five times as tall while it travels; the view widens with it.
  for (const Image_AlienPixMap& picture : Frames("iso", true)) DrawnExtent(picture);
}

TEST_F(RunFramingTest, ABadSizeOrDirectoryIsRefusedBeforeTheRun) {
  test::ExpectRefused({"run", "--frames", (directory_ / "out").string(), "--size", "200"},
                      "--size: '200' is not WxH");
  EXPECT_FALSE(std::filesystem::exists(directory_ / "out"));
  test::ExpectRefused({"run", "--frames", "/proc/self/frames"},
                      "cannot make the directory /proc/self/frames");
}

}  // namespace
}  // namespace sledway::cli
