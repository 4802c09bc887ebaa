#pragma once

#include <cstdint>
#include <string>

// Assembly files of any size, for the loading tests and benchmarks.
namespace sledway::test {

// `count` components "c0", "c1"... of one box part "block", component i at (2i, 0, 0) mm.
inline std::string ComponentsFile(std::int64_t count) {
  std::string text =
      R"({"parts": [{"name": "block", "box": {"length": 1, "width": 1, "height": 1}}],
  "components": [)";
  for (std::int64_t i = 0; i < count; ++i) {
    text += (i == 0 ? "\n" : ",\n") + std::string(R"({"name": "c)") + std::to_string(i) +
            R"(", "part": "block", "placement": {"origin": [)" + std::to_string(2 * i) +
            ", 0, 0]}}";
  }
  return text + "]}";
}

// One box part "block" with `count` work points "w0", "w1"..., point i at (i, 0, 0) mm.
inline std::string WorkPointsFile(std::int64_t count) {
  std::string text =
      R"({"parts": [{"name": "block", "box": {"length": 1, "width": 1, "height": 1},
  "workPoints": [)";
  for (std::int64_t i = 0; i < count; ++i) {
    text += (i == 0 ? "\n" : ",\n") + std::string(R"({"name": "w)") + std::to_string(i) +
            R"(", "point": [)" + std::to_string(i) + ", 0, 0]}";
  }
  return text + "]}]}";
}

// A sketch "chain" of `count` lines of 1 mm joined end to end, zigzagging along X, written in
// shuffled order so that no curve follows the one it joins.
inline std::string ChainSketchFile(std::int64_t count) {
  std::string text = R"({"sketches": [{"name": "chain",
  "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]},
  "curves": [)";
  for (std::int64_t n = 0; n < count; ++n) {
    // A stride coprime with the count visits every line once.
    std::int64_t stride = 7919;
    while (count % stride == 0) ++stride;
    const std::int64_t i = (n * stride) % count;
    const auto x = [](std::int64_t k) { return std::to_string(k); };
    const auto y = [](std::int64_t k) { return k % 2 == 0 ? "0" : "1"; };
    text += (n == 0 ? "\n" : ",\n") + std::string(R"({"kind": "line", "start": [)") + x(i) + ", " +
            y(i) + R"(], "end": [)" + x(i + 1) + ", " + y(i + 1) + "]}";
  }
  return text + "]}]}";
}

}  // namespace sledway::test
