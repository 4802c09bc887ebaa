#include "platform/window_owner.hpp"

namespace sledway::platform {

WId SetWindowOwner(QWidget& window, WId owner) {
  const QWidget* previous = window.parentWidget();
  const WId previousHandle = previous != nullptr ? previous->effectiveWinId() : 0;
  QWidget* ownerWindow = owner != 0 ? QWidget::find(owner) : nullptr;
  // A parent that is itself a top-level window owns it; the window flags keep it a window of
  // its own rather than a child drawn inside the owner.
  window.setParent(ownerWindow, window.windowFlags() | Qt::Window);
  return previousHandle;
}

}  // namespace sledway::platform
