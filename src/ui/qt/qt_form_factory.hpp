#pragma once

#include "ui/form/form_factory.hpp"

namespace sledway::qtface {

// The Qt face: forms built with Qt Widgets, the user's number format from Qt's default locale,
// and the button's icons from the face's resources. Needs a running QApplication.
class QtFormFactory : public form::FormFactory {
 public:
  std::unique_ptr<form::Form> CreateForm(form::FormKind kind) override;
  form::NumberLocale Locale() override;
  std::vector<std::uint8_t> ButtonIconPng(int number) override;
};

}  // namespace sledway::qtface
