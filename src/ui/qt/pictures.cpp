#include "ui/qt/pictures.hpp"

#include <QString>

#include "ui/form/picture_numbers.hpp"

namespace sledway {

QPixmap Picture(int number) {
  if (number == form::kPictureLogo) return QPixmap(QStringLiteral(":/sledway/pictures/logo.png"));
  return QPixmap(QStringLiteral(":/sledway/pictures/%1.png").arg(number));
}

}  // namespace sledway
