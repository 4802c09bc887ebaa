#pragma once

#include <QPixmap>

namespace sledway {

// The add-in's pictures, kept as resources under their numbers: 111 a slot that still needs a
// pick, 112 an optional slot not yet picked, 113 a picked slot (24 x 24), 104 flip (19 x 21),
// 105 help (18 x 18). The about window's logo is drawn on pure green, its transparent colour.
inline constexpr int kPictureSlotToPick = 111;
inline constexpr int kPictureSlotOptional = 112;
inline constexpr int kPictureSlotPicked = 113;
inline constexpr int kPictureFlip = 104;
inline constexpr int kPictureHelp = 105;

QPixmap Picture(int number);
QPixmap LogoPicture();

}  // namespace sledway
