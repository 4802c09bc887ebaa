#pragma once

#include "modelhost/application/application.hpp"

namespace sledway::model {

// An application with a small assembly open: a box cart ("cart:1", its width driven by the
// user parameter "cart_width"), with the work point "follow" at the centre of its base and the
// work axis "heading" along its length, and the assembly sketch "track" on a plane tilted 30
// degrees about X, an open path of a line, a half-circle arc and a line.
Ref<Application> MakeSampleApplication();

}  // namespace sledway::model
