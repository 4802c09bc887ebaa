#pragma once

#include "host/codes.hpp"

namespace sledway::model {

// The word for a curve kind in messages and listings: "line", "arc", "elliptical arc", ...
const char* CurveKindName(IVCurveKind kind);

}  // namespace sledway::model
