#pragma once

namespace sledway::form {

// The add-in's pictures by their resource numbers; each face carries the same artwork.
// 111 a slot that still needs a pick, 112 an optional slot not yet picked, 113 a picked slot
// (24 x 24), 104 flip (19 x 21), 105 help (18 x 18); the about window's logo, drawn on pure green,
// its transparent colour.
inline constexpr int kPictureFlip = 104;
inline constexpr int kPictureHelp = 105;
inline constexpr int kPictureSlotToPick = 111;
inline constexpr int kPictureSlotOptional = 112;
inline constexpr int kPictureSlotPicked = 113;
inline constexpr int kPictureLogo = 200;
inline constexpr unsigned kLogoTransparentRgb = 0x00FF00;

// The command button's icons (16 x 16), handed to the host.
inline constexpr int kIconStandard = 101;
inline constexpr int kIconLarge = 102;

}  // namespace sledway::form
