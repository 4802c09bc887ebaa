#pragma once

#include <QWidget>

namespace sledway::platform {

// Makes the window with handle `owner` the owner of `window`: the window stays above its owner,
// and goes with it when the owner is minimised or closed. An owner of 0, or a handle that names
// no window of this process, leaves `window` without an owner. Returns the previous owner's
// handle (0 when there was none). Call it while `window` is hidden: changing the owner hides a
// shown window.
WId SetWindowOwner(QWidget& window, WId owner);

}  // namespace sledway::platform
