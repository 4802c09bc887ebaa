#include "ui/numeric_fields.hpp"

#include <string>

namespace sledway {
namespace {

constexpr int kPoint = '.';

void FilterKey(NumberKeys keys, const std::string& text, int& KeyAscii) {
  if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == form::kKeyBackspace ||
      KeyAscii == form::kKeyEscape) {
    return;
  }
  if (keys == NumberKeys::kDecimal && KeyAscii == kPoint && text.find('.') == std::string::npos) {
    return;
  }
  KeyAscii = 0;
}

}  // namespace

void SelectAllText(form::Control& ctl) {
  ctl.SelectAll();
}

void FilterIntegerKey(form::Control& ctl, int& KeyAscii) {
  FilterKey(NumberKeys::kInteger, ctl.Text(), KeyAscii);
}

void FilterDecimalKey(form::Control& ctl, int& KeyAscii) {
  FilterKey(NumberKeys::kDecimal, ctl.Text(), KeyAscii);
}

void FilterInsertion(NumberKeys keys, form::TextInsertion& insertion) {
  std::string kept;
  // A byte of a character outside ASCII is never a digit or a point, so bytes will do.
  for (const char c : insertion.text) {
    int KeyAscii = static_cast<unsigned char>(c);
    FilterKey(keys, insertion.before + kept + insertion.after, KeyAscii);
    // Control characters do nothing in pasted text.
    if (KeyAscii >= ' ') kept += c;
  }
  insertion.text = kept;
}

}  // namespace sledway
