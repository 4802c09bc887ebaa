#pragma once

#include <string>
#include <string_view>

namespace sledway::model {

// One failure of the STEP translator's check of an entity, said in our words: "Parameter n0.2
// (location) : Entity has illegal type" becomes "parameter 2 (location) names an entity of the
// wrong kind". A failure of a kind not known here becomes "a part of it cannot be read".
std::string StepCheckInOurWords(std::string_view fail);

}  // namespace sledway::model
