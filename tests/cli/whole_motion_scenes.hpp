#pragma once

namespace sledway::cli::test {

inline constexpr double kDefaultTolerance = 0.001;  // mm, the default contact tolerance

// A plate 1 mm thick goes 100 mm along X in steps of 10 mm; a post of radius 0.5 mm stands at
// x = 55, between the moves to 50 and 60, so the plate is in it only between moves. Kept
// along the rail by a roll, the plate moves the same way.
inline constexpr const char* kPlateAndPost = R"({"units": "mm",
  "parts": [{"name": "plate", "box": {"length": 1, "width": 20, "height": 20},
             "workPoints": [{"name": "corner", "point": [0, 0, 0]}],
             "workAxes": [{"name": "along", "origin": [0, 0, 0], "direction": [1, 0, 0]}]},
            {"name": "post", "cylinder": {"radius": 0.5, "height": 30}}],
  "components": [{"name": "plate:1", "part": "plate"},
                 {"name": "post:1", "part": "post", "placement": {"origin": [55, 10, -5]}}],
  "sketches": [{"name": "rail", "curves": [{"kind": "line", "start": [0, 0], "end": [100, 0]}],
                "plane": {"origin": [0, 0, 0], "normal": [0, 0, 1], "xDir": [1, 0, 0]}}],
  "run": {"path": "sketch:rail/curve:1", "follow": "component:plate:1/workpoint:corner"}})";

}  // namespace sledway::cli::test
