#pragma once

namespace sledway::form {

// Twips are 1/1440 of a logical inch: forms give positions and sizes in twips, and each face
// converts them with the screen's logical resolution, so a form keeps its proportions on a screen
// of any density.
inline constexpr double kTwipsPerInch = 1440.0;

struct TwipsRect {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;

  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

}  // namespace sledway::form
