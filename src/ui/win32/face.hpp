#pragma once

#include "ui/form/form_factory.hpp"

namespace sledway::win32 {

// The Win32 face of the add-in's windows: forms built with user32 and comctl32 from their
// designs (layouts.hpp), the user's number separators from the regional settings, and the
// button's icons from the module's resources.
class Win32FormFactory : public form::FormFactory {
 public:
  std::unique_ptr<form::Form> CreateForm(form::FormKind kind) override;
  form::NumberLocale Locale() override;
  std::vector<std::uint8_t> ButtonIconPng(int number) override;
};

}  // namespace sledway::win32
