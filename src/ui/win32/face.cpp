#include "ui/win32/face.hpp"

#include "platform/win32/number_separators.hpp"
#include "ui/form/picture_numbers.hpp"
#include "ui/win32/layouts.hpp"
#include "ui/win32/pictures.hpp"
#include "ui/win32/window.hpp"

namespace sledway::win32 {

std::unique_ptr<form::Form> Win32FormFactory::CreateForm(form::FormKind kind) {
  return std::make_unique<Window>(Design(kind));
}

form::NumberLocale Win32FormFactory::Locale() {
  const platform::NumberSeparators separators = platform::UserNumberSeparators();
  return {separators.decimal, separators.group};
}

std::vector<std::uint8_t> Win32FormFactory::ButtonIconPng(int number) {
  if (number != form::kIconStandard && number != form::kIconLarge) return {};
  return PicturePng(number);
}

}  // namespace sledway::win32
