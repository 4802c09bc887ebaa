#include "ui/qt/transparent_picture.hpp"

#include <QBitmap>

namespace sledway {

QPixmap BltTransparent(BltMode mode, const QPixmap& source, const QColor& transparent) {
  if (mode == BltMode::kCopy) return source;
  QPixmap picture = source;
  picture.setMask(source.createMaskFromColor(transparent, Qt::MaskInColor));
  return picture;
}

}  // namespace sledway
