#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "ui/form/form.hpp"
#include "ui/form/number_locale.hpp"

namespace sledway::form {

// The windows of the add-in.
enum class FormKind {
  // The tool window frmPath.
  kPath,
  // The about window frmSledwayHelp.
  kSledwayHelp,
};

// What a face gives the add-in: its windows, the user's number format and the button's icons.
// The add-in server holds one for as long as it lives; the face's own toolkit is running.
class FormFactory {
 public:
  virtual ~FormFactory() = default;

  // A new form of that kind, hidden, with its controls as designed and no owner. Each call makes
  // a window of its own, starting from the design's captions and states.
  virtual std::unique_ptr<Form> CreateForm(FormKind kind) = 0;

  // The user's decimal and group separators, read when asked (the user may change them).
  virtual NumberLocale Locale() = 0;

  // The PNG bytes of the command button's icon of that number (kIconStandard, kIconLarge); empty
  // when the face holds no such icon.
  virtual std::vector<std::uint8_t> ButtonIconPng(int number) = 0;
};

}  // namespace sledway::form
