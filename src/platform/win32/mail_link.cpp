#include "platform/mail_link.hpp"

#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include "platform/win32/wide_text.hpp"

namespace sledway::platform {

bool OpenMailLink(const std::string& address) {
  const HINSTANCE result = ShellExecuteW(nullptr, nullptr, Wide("mailto:" + address).c_str(),
                                         nullptr, nullptr, SW_SHOWNORMAL);
  // Results up to 32 are errors.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace sledway::platform
