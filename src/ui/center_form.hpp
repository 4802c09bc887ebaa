#pragma once

#include "ui/form/form.hpp"

namespace sledway {

// Moves `form` so that its outer rectangle is centred on `container` (the work area of its
// screen, or another window's rectangle); its size stays. Each remainder is rounded to whole
// twips and halved with the fraction dropped.
void CenterForm(form::Form& form, const form::TwipsRect& container);

}  // namespace sledway
