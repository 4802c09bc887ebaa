#include "ui/center_form.hpp"

#include <cmath>

namespace sledway {
namespace {

double HalfRemainder(double container, double size) {
  return std::trunc(std::round(container - size) / 2.0);
}

}  // namespace

void CenterForm(form::Form& form, const form::TwipsRect& container) {
  const form::TwipsRect rect = form.Rect();
  form.Move(container.left + HalfRemainder(container.width, rect.width),
            container.top + HalfRemainder(container.height, rect.height));
}

}  // namespace sledway
