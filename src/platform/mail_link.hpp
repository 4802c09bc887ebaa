#pragma once

#include <string>

namespace sledway::platform {

// Opens a new message to `address` in the user's mail program, through the desktop's handler of
// "mailto:" links. Returns false when no program could be started.
bool OpenMailLink(const std::string& address);

}  // namespace sledway::platform
