#include "ui/pictures.hpp"

#include <QString>

namespace sledway {

QPixmap Picture(int number) {
  return QPixmap(QStringLiteral(":/sledway/pictures/%1.png").arg(number));
}

QPixmap LogoPicture() {
  return QPixmap(QStringLiteral(":/sledway/pictures/logo.png"));
}

}  // namespace sledway
