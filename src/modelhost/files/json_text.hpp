#pragma once

#include <nlohmann/json.hpp>
#include <string_view>

namespace sledway::model {

// The JSON value of `text`. Fails with a PlacedError at "line L, column C" for text that is not
// JSON, and at the member's pointer for a member given twice in one object or a number too
// large for a double: JSON itself lets the later of two members win silently, and a file
// should not.
nlohmann::json ParseJsonText(std::string_view text);

}  // namespace sledway::model
