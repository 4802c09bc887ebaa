#pragma once

#include <memory>

#include "ui/qt/face_widgets.hpp"

namespace sledway::qtface {

// The windows as designed: every control made, named, placed in twips and captioned, hidden.
std::unique_ptr<FormDialog> BuildPathForm();
std::unique_ptr<FormDialog> BuildSledwayHelpForm();

}  // namespace sledway::qtface
