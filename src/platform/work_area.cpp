#include "platform/work_area.hpp"

#include <QGuiApplication>
#include <QScreen>

namespace sledway::platform {

QRect WorkArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

bool OnAnyWorkArea(const QRect& frame) {
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().intersects(frame)) return true;
  }
  return false;
}

}  // namespace sledway::platform
