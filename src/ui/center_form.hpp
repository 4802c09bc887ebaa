#pragma once

#include <QRect>

class QWidget;

namespace sledway {

// Moves `form` so that its outer rectangle is centred on `container` (the screen's work area,
// or another window's rectangle); its size stays. Odd remainders go to the right and the bottom.
void CenterForm(QWidget& form, const QRect& container);

}  // namespace sledway
