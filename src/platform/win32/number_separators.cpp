#include "platform/win32/number_separators.hpp"

#include <windows.h>

#include "platform/win32/wide_text.hpp"

namespace sledway::platform {
namespace {

// One of the user's locale strings; `fallback` when it cannot be read.
std::string LocaleText(LCTYPE type, const std::string& fallback) {
  wchar_t text[16];  // separators are at most four characters
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 16);
  if (length == 0) return fallback;
  return Utf8(std::wstring_view(text, static_cast<std::size_t>(length - 1)));  // without its NUL
}

}  // namespace

NumberSeparators UserNumberSeparators() {
  const NumberSeparators standard;
  NumberSeparators separators{LocaleText(LOCALE_SDECIMAL, standard.decimal),
                              LocaleText(LOCALE_STHOUSAND, standard.group)};
  // A number cannot be read without a decimal separator; no group separator means no grouping.
  if (separators.decimal.empty()) separators.decimal = standard.decimal;
  return separators;
}

}  // namespace sledway::platform
