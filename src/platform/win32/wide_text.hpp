#pragma once

#include <string>
#include <string_view>

namespace sledway::platform {

// UTF-8, as the add-in's code holds text, to and from the UTF-16 of Windows' ...W functions.
// Ill-formed input becomes U+FFFD rather than being dropped.
std::wstring Wide(std::string_view text);
std::string Utf8(std::wstring_view text);

}  // namespace sledway::platform
