#pragma once

#include <QColor>
#include <QPixmap>

namespace sledway {

// How a picture is copied: with one colour left out, so that what lies under it shows through,
// or unchanged.
enum class BltMode { kCopy = 0, kTransparent = 1 };

// `source` with every pixel of `transparent` made see-through (kTransparent), or as it is.
QPixmap BltTransparent(BltMode mode, const QPixmap& source, const QColor& transparent);

}  // namespace sledway
